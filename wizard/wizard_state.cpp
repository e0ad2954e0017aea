#include "wizard/wizard_state.h"

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/text_helpers.h"
#include "resources/string_ids.h"
#include "wizard/form_install_view.h"
#include "base/run_log.h"

WizardState g_wizard = {};

namespace {

HWND WizardMainWindow()
{
    return g_wizard.mainWindow;
}

// An error ends the wizard: the package is closed before the box shows,
// and the run has failed.
void EndOnError()
{
    g_wizard.exitCode = kExitFailed;
    if (g_wizard.unpacking.package != INVALID_HANDLE_VALUE) {
        CloseHandle(g_wizard.unpacking.package);
        g_wizard.unpacking.package = INVALID_HANDLE_VALUE;
    }
}

}  // namespace

void ResetWizardState()
{
    g_wizard = WizardState{};
    g_wizard.instance = GetModuleHandleA(nullptr);
    g_wizard.installRoot = kLocalMachine;
    g_wizard.unpacking.package = INVALID_HANDLE_VALUE;
    g_wizard.unpacking.model = &g_wizard.model;
    g_wizard.unpacking.view = &FormInstallView();
    g_wizard.unpacking.cancel = &g_wizard.cancel;
    g_wizard.unpacking.journal = &g_wizard.job.journal;
    g_wizard.optionsContent = 1;
    g_wizard.exitCode = kExitCancelled;
    UseWizardMessages(nullptr);
}

void UseWizardMessages(int (*answerWithoutBox)(const char* text, UINT flags))
{
    SetMessageContext(
        {IDS_WIZARD_CAPTION, IDS_CANNOT_CONTINUE, WizardMainWindow, EndOnError, answerWithoutBox, LogMessage});
}

bool AllocateWorkBuffers()
{
    g_wizard.workBlock = static_cast<char*>(GlobalAlloc(GPTR, kTextCapacity));
    return g_wizard.workBlock != nullptr;
}

void FreeWorkBuffers()
{
    if (g_wizard.workBlock != nullptr)
        GlobalFree(g_wizard.workBlock);
    g_wizard.workBlock = nullptr;
}
