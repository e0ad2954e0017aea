#pragma once
// One install, handed by the wizard to every install step: what to install
// and where, what the user chose, where the steps report, and what this run
// has created so far.
#include <windows.h>

#include <string>
#include <vector>

#include "base/portable/text_helpers.h"
#include "engine/portable/file_decision.h"
#include "engine/portable/install_choices.h"
#include "engine/portable/install_model.h"
#include "engine/install_view.h"
#include "engine/journal.h"
#include "base/registry.h"

struct InstallJob {
    // What and where.
    InstallModel* model;
    InstallChoices choices;                  // the user's answers, the destination among them
    char tempFolder[kTextCapacity];          // where the package was unpacked
    char helpLink[kTextCapacity];            // the product's web address, for the programs list
    RootCode installRoot;
    int osCode;

    // Where the steps report, and how the user stops them.
    InstallView* view;
    volatile LONG* cancel;

    // What this run did: every change noted before it is made.
    Journal journal;
    char helpFile[kTextCapacity];            // the listed help file, found by PrepareDestinations
    std::vector<std::string> targetLines;    // the file lines with the destination put in, by PrepareDestinations
    std::vector<std::string> recordedFiles;  // the target lines the copy left for the uninstaller's
                                             //   records: neither protected libraries nor fonts
    std::vector<std::string> afterRestartRegistrations;   // libraries to register after the next start
    std::vector<std::string> placedFiles;    // listed targets this run created or replaced, long form:
                                             //   only their registration is the run's to undo
    std::vector<FileDecision> fileDecisions; // what the copy did with each listed file, and why
    ULONGLONG installedBytes;                // what the copy put in place, for the programs list
    bool restartNeeded;
    bool groupMadeAsFolder;                  // no program manager answered: the group's folder was made directly
    bool rolledBack;                         // the journal's changes were undone
};

