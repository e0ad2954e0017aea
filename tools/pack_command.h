#pragma once
// "pack": a list file and its folder of files into a data package.
#include <cstdio>

#include "tools/builder_options.h"

// Returns the exit status; progress goes to `progress`, errors to `errors`.
int RunPack(const BuilderOptions& options, std::FILE* progress, std::FILE* errors);
