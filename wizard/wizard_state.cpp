#include "wizard/wizard_state.h"

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "resources/string_ids.h"

WizardState g_wizard = {};

namespace {

// Scratch C holds two texts; every other buffer holds one.
constexpr int kTextBufferSize = static_cast<int>(kTextCapacity);
constexpr int kScratchCSize = 2 * kTextBufferSize;
static_assert(6 * kTextBufferSize + kScratchCSize == kWorkBlockSize, "the seven buffers fill the work block");

// Hands out the next `size` bytes of the work block.
char* Carve(char*& next, int size)
{
    char* buffer = next;
    next += size;
    return buffer;
}

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
    char* next = block;
    g_wizard.buffers.scratchA = Carve(next, kTextBufferSize);
    g_wizard.buffers.scratchB = Carve(next, kTextBufferSize);
    g_wizard.buffers.scratchC = Carve(next, kScratchCSize);
    g_wizard.buffers.destination = Carve(next, kTextBufferSize);
    g_wizard.buffers.temp = Carve(next, kTextBufferSize);
    g_wizard.buffers.defaultFolder = Carve(next, kTextBufferSize);
    g_wizard.buffers.helpFile = Carve(next, kTextBufferSize);
    return true;
}

void FreeWorkBuffers()
{
    if (g_wizard.workBlock != nullptr)
        GlobalFree(g_wizard.workBlock);
    g_wizard.workBlock = nullptr;
    g_wizard.buffers = WorkBuffers{};
}
