#include "screenshot.h"

#include <zlib.h>

#include <cstdio>

#include "test_environment.h"

namespace {

void PutBigEndian(std::vector<unsigned char>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

void HandleWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found)
{
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool LeftToPaint(HWND window)
{
    bool found = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found)
        EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&found));
    return found;
}

POINT ClientOrigin(HWND window)
{
    RECT frame = {};
    GetWindowRect(window, &frame);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    return {client.x - frame.left, client.y - frame.top};
}

}  // namespace

bool ClientShot::Has(const RECT& area, uint32_t color) const
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) == color)
                return true;
    return false;
}

ClientShot CaptureWhen(HWND window, const std::function<bool(const ClientShot&)>& ready, DWORD timeout)
{
    ClientShot shot;
    DWORD start = GetTickCount();
    for (;;) {
        HandleWaitingMessages();
        shot.origin = ClientOrigin(window);
        shot.capture = CaptureWindow(window);
        if (ready(shot) || GetTickCount() - start > timeout)
            return shot;
        Sleep(50);
    }
}

Capture CaptureSettled(HWND window, DWORD timeout)
{
    Capture previous;
    Capture capture;
    DWORD start = GetTickCount();
    for (;;) {
        HandleWaitingMessages();
        capture = CaptureWindow(window);
        bool settled = !LeftToPaint(window) && capture.pixels == previous.pixels && !capture.pixels.empty();
        if (settled || GetTickCount() - start > timeout)
            return capture;
        previous = capture;
        Sleep(50);
    }
}

Capture CaptureWindow(HWND window)
{
    Capture capture;
    RECT frame;
    if (!GetWindowRect(window, &frame))
        return capture;
    capture.width = frame.right - frame.left;
    capture.height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    for (uint32_t& pixel : capture.pixels)
        pixel &= 0x00FFFFFFu;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

bool LooksPainted(HWND window)
{
    Capture capture = CaptureWindow(window);
    size_t black = 0;
    for (uint32_t pixel : capture.pixels)
        black += pixel == 0 ? 1 : 0;
    return !capture.pixels.empty() && black * 2 < capture.pixels.size();
}

bool SavePng(const Capture& capture, const std::string& path)
{
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(capture.height) * (capture.width * 3 + 1));
    for (int y = 0; y < capture.height; ++y) {
        raw.push_back(0);   // no filter
        for (int x = 0; x < capture.width; ++x) {
            uint32_t pixel = capture.At(x, y);
            raw.push_back(static_cast<unsigned char>(pixel >> 16));
            raw.push_back(static_cast<unsigned char>(pixel >> 8));
            raw.push_back(static_cast<unsigned char>(pixel));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<uint32_t>(capture.width));
    PutBigEndian(header, static_cast<uint32_t>(capture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});   // 8-bit RGB, no interlace
    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

std::string SaveScreenshot(const Capture& capture, const char* name)
{
    std::string path = ArtifactFolder() + "\\" + name + ".png";
    return SavePng(capture, path) ? path : std::string();
}

std::string SaveScreenshot(HWND window, const char* name)
{
    // A picture that keeps changing (a moving bar) is saved as it stands
    // after a few seconds.
    UpdateWindow(window);
    return SaveScreenshot(CaptureSettled(window, 3000), name);
}
