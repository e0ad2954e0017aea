#pragma once
// A text dump of registry keys, for comparing what a run wrote with a
// reviewed golden file.
#include <windows.h>

#include <functional>
#include <sstream>
#include <string>

struct RegistryValue {
    const char* name;
    DWORD type;
    const BYTE* data;
    DWORD size;
};
// Called with each key's "ROOT\path" once (value nullptr), then with each of its values.
using KeyVisitor = std::function<void(const std::string& key, const RegistryValue* value)>;

// Walks a key and its subkeys, values in the registry's own order.
void WalkKey(HKEY root, const std::string& rootName, const std::string& path, const KeyVisitor& visit);

// Every value of a key and its subkeys as text, in the walk's order.
void DumpKey(std::ostringstream& out, HKEY root, const char* rootName, const std::string& path);

// Compares the dump with the golden file of the source tree (rewriting it
// first when INSTAL_UPDATE_GOLDEN is set); returns the golden text.
std::string GoldenText(const char* sourcePath, const std::string& dump);
