#pragma once
// The program group, made by the program manager from the install's group
// items, or as the folder and links it would have made when none answers.
#include <vector>

#include "base/program_manager.h"
#include "engine/install_job.h"

// Creates the group and its items when the user chose a group; returns
// when the program manager's conversation has ended.
void CreateProgramGroup(InstallJob& job);

// The group as a folder of links in the programs folder of the install's
// root (the user's for kCurrentUser, else the common one).
void MakeGroupFolder(const char* groupName, const std::vector<ProgramItem>& items, RootCode root);
