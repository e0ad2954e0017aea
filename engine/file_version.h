#pragma once
// Comparing a packaged file's version with an existing file's.

// 1 when the version given by the two texts (most and least significant
// word of the file version, in the list file's number syntax) is newer than
// the existing file's; 0 when it is not, when the high text is empty or when
// the file has no version information.
int IsNewerVersion(const char* existingPath, const char* high, const char* low);
