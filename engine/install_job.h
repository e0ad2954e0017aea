#pragma once
// One install, handed by the wizard to every install step: what to install
// and where, what the user chose, where the steps report, and what this run
// has created so far.
#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/install_model.h"
#include "engine/install_view.h"
#include "engine/journal.h"
#include "base/registry.h"

// The document kinds in the association list's order.
enum DocumentKind { KindProject, KindWindow, KindModule, KindResource, kDocumentKindCount };

struct InstallChoices {
    bool associations[kDocumentKindCount];   // the kinds to open in the product
    bool programGroup;
    bool desktopShortcut;
    bool basalt;                             // the toolset choice, stored for the product
    char groupName[kTextCapacity];
    char userName[kTextCapacity];
    char organization[kTextCapacity];
    char helpLink[kTextCapacity];            // the product's web address, for the programs list
};

struct InstallJob {
    // What and where.
    InstallModel* model;
    char destination[kTextCapacity];         // the folder the user chose: "<AppDir>"
    char tempFolder[kTextCapacity];          // where the package was unpacked
    char defaultFolder[kTextCapacity];       // the list file's folder name: no rollback removes above it
    RootCode installRoot;
    int osCode;
    InstallChoices choices;

    // Where the steps report, and how the user stops them.
    InstallView* view;
    volatile LONG* cancel;

    // What this run did: every change noted before it is made.
    Journal journal;
    char helpFile[kTextCapacity];            // the listed help file, found by PrepareDestinations
    StringList afterRestartRegistrations;    // libraries to register after the next start
    StringList placedFiles;                  // listed targets this run created or replaced, long form:
                                             //   only their registration is the run's to undo
    ULONGLONG installedBytes;                // what the copy put in place, for the programs list
    bool restartNeeded;
    bool rolledBack;                         // the journal's changes were undone
};

// Destroys the job's lists of what the run did.
void ReleaseJobLists(InstallJob& job);
