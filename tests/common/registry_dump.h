#pragma once
// A text dump of registry keys, for comparing what a run wrote with a
// reviewed golden file.
#include <windows.h>

#include <sstream>
#include <string>

// Every value of a key and its subkeys, values in the registry's own order.
void DumpKey(std::ostringstream& out, HKEY root, const char* rootName, const std::string& path);

// Compares the dump with the golden file of the source tree (rewriting it
// first when INSTAL_UPDATE_GOLDEN is set); returns the golden text.
std::string GoldenText(const char* sourcePath, const std::string& dump);
