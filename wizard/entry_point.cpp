// The program's entry: the runtime is started, the main form "Main" runs
// its message loop until it is gone, and the process ends with the code
// that tells how the run ended.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "base/library_search.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "forms/form_lifecycle.h"
#include "forms/form_templates.h"
#include "forms/runtime_startup.h"
#include "forms/runtime_state.h"
#include "resources/resource_ids.h"
#include "wizard/command_line_start.h"
#include "wizard/main_form.h"
#include "wizard/main_template.h"
#include "base/run_log.h"
#include "wizard/run_without_pages.h"
#include "wizard/wizard_state.h"

namespace {

// A deployment tool may start the wizard from any folder: the package is
// looked for in the current folder, as always, then beside the program.
void FindThePackage()
{
    if (GetFileAttributesA(kPackageName) != INVALID_FILE_ATTRIBUTES)
        return;
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, folder, sizeof folder);
    char* separator = length > 0 && length < sizeof folder ? strrchr(folder, '\\') : nullptr;
    if (separator == nullptr)
        return;
    *separator = '\0';
    SetCurrentDirectoryA(folder);
}

void InitialiseCommonControls()
{
    INITCOMMONCONTROLSEX controls = {8, 0x1FFF};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();
}

void RunMessageLoop()
{
    *FirstFreeFormSlot() = const_cast<ObjectRecord*>(MainTemplate());
    SetMainTemplateProcedures(MainFormProc, LinkLabelProc);
    MSG message = {};
    HACCEL accelerators = nullptr;
    if (CreateForm(MainTemplate(), nullptr, false, 0) == 0) {
        // A form that existed and closed during its creation has posted the
        // quit message that ends the run, and told how it ended; without
        // one, the form could not be made at all.
        MSG quit;
        if (!PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && g_wizard.exitCode == kExitCancelled)
            g_wizard.exitCode = kExitFailed;
    } else {
        accelerators = LoadAcceleratorsA(g_wizard.instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!TranslateAcceleratorA(g_wizard.mainWindow, accelerators, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    TearDownRuntime();
    if (accelerators != nullptr)
        DestroyAcceleratorTable(accelerators);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictLibrarySearch();
    LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(RuntimeExceptionFilter);
    ResetWizardState();
    g_wizard.instance = GetModuleHandleA(nullptr);
    if (!ReadCommandLine(GetCommandLineA()))
        ExitProcess(g_wizard.exitCode);
    FindThePackage();
    InitialiseCommonControls();
    if (g_wizard.commandLine.mode != RunMode::Normal) {
        unsigned exitCode = RunWithoutPages();
        CloseRunLog(exitCode);
        ExitProcess(exitCode);
    }
    StartRuntime(g_wizard.instance, "Instal", "Instal.exe", "Projecte visual Kestrel", 3);
    RunMessageLoop();
    SetUnhandledExceptionFilter(previous);
    CloseRunLog(g_wizard.exitCode);
    ExitProcess(g_wizard.exitCode);
}
