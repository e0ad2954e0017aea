#pragma once
// Screen scaling arithmetic: twips, font heights at a resolution.

constexpr int kTwipsPerInch = 1440;
constexpr int kScaleModeTwips = 1;
constexpr int kScaleModePixels = 3;   // any value but 1 means pixels

// 1440 / dots per inch (integer division).
int TwipsPerPixel(int dotsPerInch);
// ((dpi * 1000) / 96) * 72 / 1000: 72 at 96 dpi, 90 at 120 dpi.
int FontDpiDivisorFor(int dotsPerInch);
// The character height (negative) of a font: points * dpi / divisor,
// rounded half up.
int FontCharacterHeight(int points, int dotsPerInch, int divisor);

// A record coordinate in its scale mode to pixels and back.
int ScaleToPixels(int value, int scaleMode, int twipsPerPixel);
int PixelsToScale(int pixels, int scaleMode, int twipsPerPixel);
