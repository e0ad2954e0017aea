#pragma once
// The destination drive's free space and the target folders of the files.
#include "engine/install_job.h"

// 1 when the destination folder's drive has room for the progress total (or
// its free space cannot be found out); 0 after reporting IDS_NO_DISK_SPACE.
int CheckDiskSpace(const InstallJob& job);

// Creates every missing level of an absolute folder path below its drive
// root, noting each in the journal first. Returns 1 when all levels exist, or
// 0 with the level that could not be made in failedLevel (260 bytes).
int CreateFolderChain(const char* path, Journal& journal, char* failedLevel);

// Refuses a target path over 259 characters before anything is made, then
// puts the destination into every file line (the job's target lines),
// remembers the help file path and creates every target folder. 1, or 0
// after reporting the error.
int PrepareDestinations(InstallJob& job);
