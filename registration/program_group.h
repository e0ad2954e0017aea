#pragma once
// The program group, made by the program manager from the install's group
// items.
#include "engine/install_job.h"

// Creates the group and its items when the user chose a group; returns
// when the program manager's conversation has ended.
void CreateProgramGroup(InstallJob& job);
