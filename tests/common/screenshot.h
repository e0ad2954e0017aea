#pragma once
// Saves what a window shows on the screen as a PNG file, and reads pixels
// of it back for assertions.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // 0x00RRGGBB, rows from the top
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The window's rectangle (frame included) as the screen shows it now.
Capture CaptureWindow(HWND window);
// True when most of the window shows something other than black: a window
// that was captured before it painted is black.
bool LooksPainted(HWND window);
// Writes the capture as an 8-bit RGB PNG; false when the file cannot be written.
bool SavePng(const Capture& capture, const std::string& path);
// Captures the window and saves it in the artifact folder under the name.
std::string SaveScreenshot(HWND window, const char* name);
