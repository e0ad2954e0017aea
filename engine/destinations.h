#pragma once
// The destination drive's free space and the target folders of the files.

// 1 when the destination folder's drive has room for the progress total (or
// its free space cannot be found out); 0 after reporting IDS_NO_DISK_SPACE.
int CheckDiskSpace(const char* destination);

// Creates every missing level of an absolute folder path below its drive
// root. Returns 1 when all levels exist, or 0 with the level that could not
// be made in the work buffer scratchA.
int CreateFolderChain(const char* path);

// Expands the macro of every file line in place, remembers the help file
// path and creates every target folder. 1, or 0 after reporting
// IDS_FOLDER_FAILED.
int PrepareDestinations();
