#include "wizard/wizard_state.h"

#include "base/messages.h"
#include "resources/string_ids.h"

WizardState g_wizard = {};

namespace {

HWND WizardMainWindow()
{
    return g_wizard.mainWindow;
}

// An error ends the wizard: the package is closed before the box shows.
void ClosePackage()
{
    if (g_wizard.package != INVALID_HANDLE_VALUE) {
        CloseHandle(g_wizard.package);
        g_wizard.package = INVALID_HANDLE_VALUE;
    }
}

}  // namespace

void ResetWizardState()
{
    g_wizard = WizardState{};
    g_wizard.instance = GetModuleHandleA(nullptr);
    g_wizard.installRoot = kLocalMachine;
    g_wizard.package = INVALID_HANDLE_VALUE;
    g_wizard.optionsContent = 1;
    SetMessageContext({IDS_WIZARD_CAPTION, IDS_CANNOT_CONTINUE, WizardMainWindow, ClosePackage});
}

bool AllocateWorkBuffers()
{
    char* block = static_cast<char*>(GlobalAlloc(GPTR, kWorkBlockSize));
    if (block == nullptr)
        return false;
    g_wizard.workBlock = block;
    g_wizard.buffers.scratchA = block;
    g_wizard.buffers.scratchB = block + 260;
    g_wizard.buffers.scratchC = block + 520;
    g_wizard.buffers.destination = block + 1040;
    g_wizard.buffers.temp = block + 1300;
    g_wizard.buffers.defaultFolder = block + 1560;
    g_wizard.buffers.helpFile = block + 1820;
    return true;
}

void FreeWorkBuffers()
{
    if (g_wizard.workBlock != nullptr)
        GlobalFree(g_wizard.workBlock);
    g_wizard.workBlock = nullptr;
    g_wizard.buffers = WorkBuffers{};
}
