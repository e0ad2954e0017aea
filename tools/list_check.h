#pragma once
// The publisher's checks of a list file: what would break the install
// (errors) or look wrong to the user (warnings), line by line. Pure: the
// caller looks the listed files up in the publisher's folder.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/list_findings.h"
#include "tools/list_layout.h"

struct FolderFile {
    std::string path;     // for messages
    bool present;
    uint64_t size;
};

// The publisher's files by the name the list file gives them.
using FolderFiles = std::map<std::string, FolderFile>;

// The names a package needs from the folder: the logo, the uninstaller and
// the name of every file line.
std::vector<std::string> NamesInPackage(const ListLayout& layout);

// Every finding, in line order (findings about the whole file last). Without
// a folder the checks that need the files are left out.
std::vector<Finding> CheckListFile(const ListLayout& layout, const FolderFiles* folder);

// What the unpacked entries after the list file make (each file with its
// 28-byte entry header): the progress total the list file should give.
// False when a file is missing.
bool ComputeProgressTotal(const ListLayout& layout, const FolderFiles& folder, uint64_t& total);

// Field n (1-based) of a comma-separated line; the last field runs to the
// line's end. Empty when the line has fewer fields.
std::string FieldOf(const std::string& line, std::size_t n);
std::size_t FieldCount(const std::string& line);
