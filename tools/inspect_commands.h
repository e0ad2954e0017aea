#pragma once
// "list", "verify" and "extract": reading a data package as the wizard does.
#include <cstdio>

#include "tools/builder_options.h"

// Each returns the exit status; reports go to `out`, errors to `errors`.
int RunList(const BuilderOptions& options, std::FILE* out, std::FILE* errors);
int RunVerify(const BuilderOptions& options, std::FILE* out, std::FILE* errors);
int RunExtract(const BuilderOptions& options, std::FILE* out, std::FILE* errors);
