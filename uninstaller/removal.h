#pragma once
// The removal of an installation, step by step in the order that makes an
// interrupted removal repeatable: files, program group, desktop link,
// associations, folders, and the registry last.
#include <string>
#include <vector>

#include "uninstaller/portable/uninstall_plan.h"
#include "uninstaller/uninstall_record.h"

struct RemovalOutcome {
    bool filesLeft;              // a recorded file could neither be deleted nor scheduled
    bool pendingAtRestart;       // some files go at the next start
    bool recordLeft;             // the record key could not be deleted
    std::vector<std::string> keptFolders;
};

// Each step reports its progress through the window when one is open.
void RemoveFiles(const UninstallPlan& plan, int osCode, RemovalOutcome* outcome);
void RemoveProgramGroup(const UninstallPlan& plan, RootCode root);
void RemoveDesktopLink(const UninstallPlan& plan, RootCode root, int osCode);
void RemoveAssociations(const UninstallPlan& plan);
void RemoveFolders(const UninstallPlan& plan, RemovalOutcome* outcome);
void RemoveRegistryData(const UninstallRecord& record, RemovalOutcome* outcome);

// The Start Menu's programs folder or the desktop folder as the shell
// records it: the all-users one for a per-machine install, else the user's.
bool ReadShellFolder(RootCode root, int osCode, const char* userValue, const char* commonValue, char* folder);
