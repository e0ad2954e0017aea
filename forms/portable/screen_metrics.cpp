#include "forms/portable/screen_metrics.h"

int TwipsPerPixel(int dotsPerInch)
{
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : kTwipsPerInch / 96;
}

int FontDpiDivisorFor(int dotsPerInch)
{
    return dotsPerInch * 1000 / 96 * 72 / 1000;
}

int FontCharacterHeight(int points, int dotsPerInch, int divisor)
{
    if (divisor <= 0)
        divisor = 72;
    int product = points * dotsPerInch;
    int height = product / divisor;
    if (product % divisor * 2 >= divisor)
        ++height;
    return -height;
}

int ScaleToPixels(int value, int scaleMode, int twipsPerPixel)
{
    if (scaleMode != kScaleModeTwips || twipsPerPixel <= 0)
        return value;
    return value / twipsPerPixel;
}

int PixelsToScale(int pixels, int scaleMode, int twipsPerPixel)
{
    return scaleMode == kScaleModeTwips ? pixels * twipsPerPixel : pixels;
}
