#pragma once
// The wizard's one state record, alive for the whole process. Long steps and
// the handlers that run inside their waits talk only through its flags.
#include <windows.h>

#include "engine/install_job.h"
#include "engine/portable/install_model.h"
#include "engine/unpacking.h"
#include "base/registry.h"
#include "wizard/control_ids.h"
#include "wizard/portable/wizard_command.h"

struct WizardState {
    HWND mainWindow;
    HINSTANCE instance;
    int osCode;                     // the runtime's operating-system code, read at start-up
    char* workBlock;                // the summary's text, kTextCapacity bytes, had at the start
    RootCode installRoot;           // kLocalMachine, or kCurrentUser when that cannot be written
    unsigned page;
    volatile LONG cancel;
    Unpacking unpacking;            // the start-up's: the open package and the progress hook
    InstallModel model;
    CommandLine commandLine;        // what the run was started with
    InstallChoices choices;         // the user's answers, filled before the pages show them
    InstallJob job;                 // the install handed to the steps, and what it did
    int optionsContent;
    bool cancelDisabled;            // the install has gone past the point where it can stop
    int finishReached;
    unsigned exitCode;              // how the run ends, for the process's exit code
    int closingItself;              // the wizard's own close is under way; any other comes from outside
    int longSteps;                  // long steps running inside a handler of the main form
    int cleanUpDeferred;            // the main form went while a long step ran; it cleans up on return
    HWND knownControls[kControlIdCount];   // found controls of the main form, by id from kFirstControlId
};

extern WizardState g_wizard;

// Puts the record in its start state (also used between tests).
void ResetWizardState();

// Every box of the wizard has its caption and cannot-continue sentence, and
// an error ends the run as failed. A run without a person answers the boxes
// itself (nullptr: they show, owned by the main window).
void UseWizardMessages(int (*answerWithoutBox)(const char* text, UINT flags));

// Allocates the zero-filled work block; false when it cannot be had.
bool AllocateWorkBuffers();
void FreeWorkBuffers();
