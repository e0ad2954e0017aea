#pragma once
// "check": the publisher's checks of a list file, and what "pack" shares
// with it: looking the listed files up in the folder and printing findings.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/builder_options.h"
#include "tools/list_check.h"

// Each name's path in the folder, and its size when it is a regular file.
FolderFiles LookUpFolder(const std::string& folder, const std::vector<std::string>& names);

// Prints the findings in a compiler's style; returns the number of errors.
std::size_t PrintFindings(const std::string& listFile, const std::vector<Finding>& findings, std::FILE* output);

// Returns the exit status: 0 without errors, 1 with errors or when the list
// file cannot be read.
int RunCheck(const BuilderOptions& options, std::FILE* output, std::FILE* errors);
