#include "base/waiting.h"

#include "base/library_search.h"

namespace {

constexpr UINT kSharedCursorFlags = LR_SHARED | LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE;
// The last stretch of a wait with dispatch is slept: a wait for messages
// can end a millisecond or two late (its timeout is rounded, and under Wine
// it passes through the server), while a sleep ends on time. A message that
// arrives in that stretch waits at most this long, which nobody notices.
constexpr LONGLONG kSleptStretch = 15000;   // microseconds

struct WaitCursorState {
    bool on;
    HCURSOR replaced;
};

WaitCursorState g_waitCursor;

HCURSOR LoadSystemCursor(LPCSTR name)
{
    return static_cast<HCURSOR>(LoadImageA(nullptr, name, IMAGE_CURSOR, 0, 0, kSharedCursorFlags));
}

}  // namespace

// The tick count advances in steps of about 16 ms, which would stretch every
// short pause by half; the performance counter measures in microseconds.
LONGLONG Microseconds()
{
    static LONGLONG frequency = 0;
    if (frequency == 0) {
        LARGE_INTEGER perSecond;
        QueryPerformanceFrequency(&perSecond);
        frequency = perSecond.QuadPart > 0 ? perSecond.QuadPart : 1;
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

// Sleeps end on the system timer's tick, 15.6 ms by default on Windows; one
// millisecond lets a pause end within a millisecond of its length. The
// multimedia library is taken from the system folder only, and where it is
// missing the waits are just coarser.
void RequestMillisecondTimer()
{
    static bool asked = false;
    if (asked)
        return;
    asked = true;
    HMODULE library = LoadSystemLibrary("winmm.dll");
    if (library == nullptr)
        return;
    using TimeBeginPeriod = UINT(WINAPI*)(UINT);
    auto begin = reinterpret_cast<TimeBeginPeriod>(reinterpret_cast<void*>(GetProcAddress(library, "timeBeginPeriod")));
    if (begin != nullptr)
        begin(1);
}

DWORD WaitMilliseconds(DWORD milliseconds, bool dispatch)
{
    RequestMillisecondTimer();
    LONGLONG start = Microseconds();
    LONGLONG length = static_cast<LONGLONG>(milliseconds) * 1000;
    for (;;) {
        // After a quit, nothing more is dispatched: the rest is slept.
        if (dispatch)
            dispatch = PumpOneMessage();
        LONGLONG elapsed = Microseconds() - start;
        if (elapsed >= length)
            return static_cast<DWORD>(elapsed / 1000);
        LONGLONG left = length - elapsed;
        DWORD messageWait = 0;
        if (dispatch && left > kSleptStretch)
            messageWait = static_cast<DWORD>((left - kSleptStretch) / 1000);
        if (messageWait > 0)
            MsgWaitForMultipleObjectsEx(0, nullptr, messageWait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        else
            Sleep(static_cast<DWORD>((left + 999) / 1000));
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
