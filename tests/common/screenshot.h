#pragma once
// Saves what a window shows on the screen as a PNG file, and reads pixels
// of it back for assertions.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // 0x00RRGGBB, rows from the top
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A capture with pixels read in the window's client coordinates.
struct ClientShot {
    Capture capture;
    POINT origin = {0, 0};   // the client area's top-left corner in the capture
    uint32_t At(int x, int y) const { return capture.At(origin.x + x, origin.y + y); }
    // Whether any pixel of the area has the colour.
    bool Has(const RECT& area, uint32_t color) const;
};

// The window's rectangle (frame included) as the screen shows it now.
Capture CaptureWindow(HWND window);
// True when most of the window shows something other than black: a window
// that was captured before it painted is black.
bool LooksPainted(HWND window);
// Captures the window again and again until the condition holds, handling
// this thread's messages in between (its own windows paint only then);
// after the timeout, the last capture.
ClientShot CaptureWhen(HWND window, const std::function<bool(const ClientShot&)>& ready, DWORD timeout = 10000);
// The window once its drawing has settled: nothing of it is left to paint
// and two captures in a row are alike (Wine hands what was drawn to the X
// server a little later).
Capture CaptureSettled(HWND window, DWORD timeout = 10000);
// Writes the capture as an 8-bit RGB PNG; false when the file cannot be written.
bool SavePng(const Capture& capture, const std::string& path);
// Saves the capture in the artifact folder under the name; returns the path,
// or "" when it cannot be written.
std::string SaveScreenshot(const Capture& capture, const char* name);
// Saves the window once its drawing has settled (or as it is after a few
// seconds).
std::string SaveScreenshot(HWND window, const char* name);
