#pragma once
// Reading the import directory of a Windows program file (PE32 or PE32+)
// from its bytes: the libraries that the loader must find before the
// program's first instruction runs.
#include <string>
#include <vector>

// The names of the imported libraries in the directory's order. False when
// the bytes are not such a file or the directory reaches outside them.
bool ReadImportedLibraries(const std::string& file, std::vector<std::string>& libraries);
