#include "wizard/main_form.h"

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/package_extraction.h"
#include "engine/rollback.h"
#include "engine/portable/list_file.h"
#include "base/system_version.h"
#include "forms/window_procedures.h"
#include "base/registry.h"
#include "resources/string_ids.h"
#include "wizard/closing.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/pages.h"
#include "wizard/portable/page_flow.h"
#include "wizard/previous_install.h"
#include "base/run_log.h"
#include "wizard/wizard_state.h"

namespace {

LRESULT OnCreate(HWND window)
{
    g_wizard.mainWindow = window;
    BeginWaitCursor(window);
    if (!AllocateWorkBuffers()) {
        g_wizard.exitCode = kExitFailed;
        return -1;
    }
    g_wizard.osCode = SystemOsCode();
    if (g_wizard.osCode == OsUnsupported) {
        ReportError(IDS_NEEDS_WINDOWS95, nullptr, false);
        return -1;
    }
    g_wizard.unpacking.osCode = g_wizard.osCode;
    g_wizard.installRoot = ChooseInstallRoot();
    return 1;
}

// The logo file is only a carrier: once loaded it is deleted. A missing or
// unreadable picture leaves the logo empty without a message.
void LoadLogo()
{
    char path[kTextCapacity];
    CopyText(path, g_wizard.unpacking.tempFolder);
    JoinPath(path, kLogoName);
    HANDLE bitmap = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap != nullptr)
        SetControlPicture(imgLogo, static_cast<HBITMAP>(bitmap));
    DeleteFileA(path);
}

LRESULT OnFormLoaded()
{
    EndWaitCursor();
    ShowWindow(g_wizard.mainWindow, SW_SHOW);
    UpdateWindow(g_wizard.mainWindow);
    bool unpacked;
    if (!RunLongStep([] { return ExtractPackage(g_wizard.unpacking); }, unpacked))
        return 1;
    if (!unpacked) {
        if (g_wizard.unpacking.anotherRunHolds)
            g_wizard.exitCode = kExitAnotherRun;
        CloseWizard();
        return 1;
    }
    g_wizard.page = PageWelcome;
    ShowPage();
    if (ProductIsRunning()) {
        ReportError(IDS_PRODUCT_RUNNING, nullptr, false);
        g_wizard.exitCode = kExitProductRunning;
        return -1;
    }
    WaitMilliseconds(100, false);
    ShowTableText(btnCancel, IDS_EXIT);
    LoadLogo();
    bool answered = FillPageDefaults();
    EndWaitCursor();
    if (!answered) {
        CloseWizard();
        return 1;
    }
    bool mayGoOn;
    if (RunLongStep(CheckPreviousInstall, mayGoOn) && !mayGoOn)
        CloseWizard();
    return mayGoOn ? 0 : 1;
}

LRESULT OnCommand(WPARAM wParam)
{
    if (HIWORD(wParam) == EN_CHANGE)
        RecordChoice(LOWORD(wParam));
    if (HIWORD(wParam) != BN_CLICKED)
        return 0;
    switch (LOWORD(wParam)) {
    case btnPrevious:
        return OnPreviousClicked();
    case btnNext:
        return OnNextClicked();
    case btnCancel:
        return OnCancelClicked();
    case btnBrowse:
        return OnBrowseClicked();
    case chkProgramGroup:
        return OnGroupCheckClicked();
    default:
        RecordChoice(LOWORD(wParam));
        return 0;
    }
}

// The wizard's own WM_CLOSE goes through (0); one from outside is answered
// like the page's Cancel and keeps the window (1).
LRESULT OnCloseMessage()
{
    if (IsClosingItself())
        return 0;
    if (!InstallCannotStop())
        OnCancelClicked();
    return 1;
}

// Refused while the install cannot be stopped. Otherwise the user answers
// as for Cancel; during the install the session may end only after a Yes,
// and only once the install is rolled back.
LRESULT OnQueryEndSession()
{
    if (InstallCannotStop())
        return kEndSessionRefused;
    OnCancelClicked();
    if (g_wizard.page != PageInstalling)
        return 0;
    if (!g_wizard.cancel)
        return kEndSessionRefused;
    RollBack(g_wizard.job);
    return 0;
}

// The session ends whatever was answered: nothing more is changed, and what
// the journal names is put right at the next start.
LRESULT OnEndSession(WPARAM ending)
{
    if (ending) {
        CloseRunLog(g_wizard.exitCode);
        ExitProcess(g_wizard.exitCode);
    }
    return 0;
}

LRESULT OnDestroy()
{
    CleanUpOnDestroy();
    return 0;
}

}  // namespace

LRESULT CALLBACK MainFormProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case kFormLoaded:
        return OnFormLoaded();
    case WM_COMMAND:
        return OnCommand(wParam);
    case WM_CLOSE:
        return OnCloseMessage();
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_ENDSESSION:
        return OnEndSession(wParam);
    case WM_DESTROY:
        return OnDestroy();
    default:
        return 0;
    }
}

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM, LPARAM)
{
    if (message == WM_LBUTTONDOWN)
        OpenLink(label, GetDlgCtrlID(label) != stcKestrel);
    return 0;
}
