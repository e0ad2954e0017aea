#pragma once
// Where a Windows test finds the build's files and puts what it saves.
#include <string>

// A file of the build folder (INSTAL_BUILD), as a path Wine understands.
std::string BuildFile(const char* name);
// The folder for screenshots and other saved results (INSTAL_ARTIFACTS),
// created when missing.
std::string ArtifactFolder();
// A file of the source tree (INSTAL_SOURCE), as a path Wine understands.
std::string SourceFile(const char* relativePath);
