#pragma once
// The wizard's one state record, alive for the whole process. Long steps and
// the handlers that run inside their waits talk only through its flags.
#include <windows.h>

#include "engine/install_model.h"
#include "engine/progress_hook.h"
#include "registration/registry.h"
#include "wizard/control_ids.h"

constexpr int kWorkBlockSize = 2080;

// The seven text buffers carved out of the work block, in this order.
struct WorkBuffers {
    char* scratchA;        // 260
    char* scratchB;        // 260
    char* scratchC;        // 520
    char* destination;     // 260
    char* temp;            // 260
    char* defaultFolder;   // 260
    char* helpFile;        // 260
};

struct WizardState {
    HWND mainWindow;
    HINSTANCE instance;
    int osCode;                     // the runtime's operating-system code, read at start-up
    char* workBlock;
    WorkBuffers buffers;
    RootCode installRoot;           // kLocalMachine, or kCurrentUser when that cannot be written
    unsigned page;
    volatile LONG cancel;
    HANDLE package;                 // open package handle, or INVALID_HANDLE_VALUE
    ProgressState progress;         // the extraction's progress hook
    InstallModel model;
    int optionsContent;
    int createGroup;
    int finishReached;
    int restartNeeded;
    StringList afterRestartRegistrations;
    StringList copiedFiles;         // targets the copy step wrote; the only files a rollback deletes
    ULONGLONG installedBytes;       // what the copy step put in place, for the programs list
    StringList createdFolders;      // folders this run created, in order; a rollback removes the empty ones
    int closingItself;              // the wizard's own close is under way; any other comes from outside
    int longSteps;                  // long steps running inside a handler of the main form
    int cleanUpDeferred;            // the main form went while a long step ran; it cleans up on return
    HWND knownControls[kControlIdCount];   // found controls of the main form, by id from kFirstControlId
};

extern WizardState g_wizard;

// Puts the record in its start state (also used between tests).
void ResetWizardState();

// Allocates the zero-filled work block and points the seven buffers into it;
// returns false when the block cannot be had.
bool AllocateWorkBuffers();
void FreeWorkBuffers();
