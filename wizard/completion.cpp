#include "wizard/completion.h"

#include <windows.h>

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/portable/install_model.h"
#include "engine/portable/list_file.h"
#include "base/portable/os_code.h"
#include "base/registry.h"
#include "resources/string_ids.h"
#include "wizard/closing.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

constexpr int kStatic3Rise = 26;

void ComposeFinishTexts()
{
    char text[kTextCapacity];
    char part[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoProductName, text);
    AppendChar(text, ' ');
    GetInformationLine(g_wizard.model, InfoVersion, part);
    AppendText(text, part);
    AppendTableText(Static1, IDS_INSTALLED_SUCCESSFULLY, text);
    ShowTableText(Static2, IDS_SUPPORT_CONTACT);
    ShowTableText(stcFinishHint, IDS_PRESS_FINISH);
    ShowTableText(btnCancel, IDS_FINISH);
    EnableControl(btnCancel, true);
    SetFocus(ControlWindow(btnCancel));
    ShowControl(grpWelcomePage, true);
    ShowControl(grpPercent, false);
}

void RaiseStatic3()
{
    HWND label = ControlWindow(stcFinishHint);
    RECT frame;
    GetWindowRect(label, &frame);
    MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&frame), 2);
    SetWindowPos(label, nullptr, frame.left, frame.top - kStatic3Rise, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void OfferRestart()
{
    RaiseStatic3();
    ShowTableText(stcFinishHint, IDS_RESTART_NEEDED);
    ShowControl(radRebootNow, true);
    ShowControl(radRebootLater, true);
    SetFocus(ControlWindow(radRebootNow));
}

void BringFinishPageForward()
{
    HWND main = g_wizard.mainWindow;
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    UpdateWindow(main);
    SetForegroundWindow(main);
    SetFocus(main);
    PumpOneMessage();
    MessageBeep(MB_ICONASTERISK);
}

void EnableShutdownPrivilege()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

}  // namespace

void ShowFinishPage()
{
    ComposeFinishTexts();
    if (g_wizard.job.restartNeeded) {
        OfferRestart();
    } else {
        ShowTableText(stcFinishHint, IDS_PRESS_FINISH);
    }
    BringFinishPageForward();
    g_wizard.finishReached = 1;
}

void RestartOrRemind()
{
    HWND main = g_wizard.mainWindow;
    if (g_wizard.choices.restartNow) {
        g_wizard.exitCode = kExitRestartStarted;
        if (IsNtFamily(g_wizard.osCode))
            EnableShutdownPrivilege();
        CloseWizard();
        ExitWindowsEx(EWX_SHUTDOWN | EWX_REBOOT, 0);
        return;
    }
    char text[kTextCapacity];
    char name[kTextCapacity];
    LoadTableString(IDS_RESTART_REMINDER, text);
    GetInformationLine(g_wizard.model, InfoProductName, name);
    AppendChar(text, ' ');
    AppendText(text, name);
    AppendChar(text, '.');
    ShowWindow(main, SW_HIDE);
    WaitMilliseconds(100, true);
    ShowUnownedMessage(IDS_RESTART_REMINDER, text, MB_OK | MB_ICONINFORMATION);
    CloseWizard();
}
