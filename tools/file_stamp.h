#pragma once
// A file's attributes and three times, as an entry block's header holds
// them, read from and given to files of the machine the builder runs on.
#include <string>

#include "engine/portable/package_format.h"

// Fills the header from the file system; false with a reason when the file
// cannot be examined.
bool QueryFileStamp(const std::string& path, EntryHeader& header, std::string& error);

// Gives a written file the header's times and, unless the word is
// 0xFFFFFFFF, the attributes this system can represent. Best effort.
void ApplyFileStamp(const std::string& path, const EntryHeader& header);

// Creates the folder when it does not exist.
bool MakeFolder(const std::string& path);

// The path of a name inside a folder, with this system's separator.
std::string JoinFilePath(const std::string& folder, const std::string& name);
