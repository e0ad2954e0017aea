#include "base/waiting.h"

namespace {

constexpr UINT kSharedCursorFlags = LR_SHARED | LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE;

struct WaitCursorState {
    bool on;
    HCURSOR replaced;
};

WaitCursorState g_waitCursor;

HCURSOR LoadSystemCursor(LPCSTR name)
{
    return static_cast<HCURSOR>(LoadImageA(nullptr, name, IMAGE_CURSOR, 0, 0, kSharedCursorFlags));
}

LONG ElapsedSince(DWORD start)
{
    return static_cast<LONG>(GetTickCount() - start);
}

}  // namespace

DWORD WaitMilliseconds(DWORD milliseconds, bool dispatch)
{
    DWORD start = GetTickCount();
    for (;;) {
        // After a quit, nothing more is dispatched: the rest is slept.
        if (dispatch)
            dispatch = PumpOneMessage();
        LONG elapsed = ElapsedSince(start);
        if (elapsed >= static_cast<LONG>(milliseconds))
            return static_cast<DWORD>(elapsed);
        DWORD left = milliseconds - static_cast<DWORD>(elapsed);
        if (dispatch)
            MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        else
            Sleep(left);
    }
}

bool PumpOneMessage()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return true;
    if (message.message == WM_QUIT) {
        // The quit belongs to the main loop, which would otherwise never end.
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void BeginWaitCursor(HWND window)
{
    if (g_waitCursor.on)
        return;
    g_waitCursor.on = true;
    g_waitCursor.replaced = SetCursor(LoadSystemCursor(IDC_WAIT));
    SetCapture(window);
}

void EndWaitCursor()
{
    if (g_waitCursor.on) {
        g_waitCursor.on = false;
        HCURSOR restored = g_waitCursor.replaced;
        if (restored == nullptr)
            restored = LoadSystemCursor(IDC_ARROW);
        SetCursor(restored);
    }
    ReleaseCapture();
}

bool WaitCursorIsOn()
{
    return g_waitCursor.on;
}
