#pragma once
// The names of the runtime's window classes and its private messages.
#include <windows.h>

constexpr char kMdiFrameClassPrefix[] = "KSRUNMDIWINDOW";
constexpr char kWindowClassPrefix[] = "KSRUNWINDOW";
constexpr char kDialogClassPrefix[] = "KSRUNDIALOGBOX";
constexpr char kMdiChildClass[] = "KSRUNMDICHILDWINDOW";
constexpr char kMdiClientClass[] = "KSMDICLIENT";
constexpr char kGroupClass[] = "KSGROUP";
constexpr char kPictureClass[] = "KSPICTURE";

// Private messages of the runtime.
constexpr UINT kSkipFocus = 0x815;          // 0, a control: the Enabled setter to the control's form
constexpr UINT kNavigateKey = 0x816;        // virtual key, the sending window: passed up to the form
constexpr UINT kFocusChanged = 0x817;       // 0, the window that took the focus: passed up to the form
constexpr UINT kButtonCreating = 0x818;
constexpr UINT kFormLoaded = 0x819;
// A form procedure's answer to WM_QUERYENDSESSION that asks the session to
// wait (the window procedure answers FALSE).
constexpr LRESULT kEndSessionRefused = 0x7FFF;
constexpr UINT kRefreshScrollBars = 0x81A;
constexpr UINT kGetRecord = 0x84C;
