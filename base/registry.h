#pragma once
// The registry access layer: four operations on ANSI strings that never keep
// a key open between calls and answer 1 for success, 0 for any failure.
#include <windows.h>

#include "base/portable/root_codes.h"

constexpr REGSAM kWriteAccess = KEY_READ | KEY_WRITE;   // 0x2001F

// The predefined key of a code (for codes outside the seven, nullptr).
HKEY RootKey(RootCode root);
bool IsRootCode(RootCode root);

// Creates the key path as needed and sets a REG_SZ value (an empty or null
// name sets the default value).
int WriteRegString(RootCode root, const char* subkey, const char* valueName, const char* text);
// The same for a REG_DWORD value.
int WriteRegNumber(RootCode root, const char* subkey, const char* valueName, DWORD number);
// Reads a value into a 260-byte buffer; a null buffer only asks whether the
// value exists. The buffer may be the subkey path's own memory.
int ReadRegValue(RootCode root, const char* subkey, const char* valueName, char* buffer);
int DeleteRegValue(RootCode root, const char* subkey, const char* valueName);
// Deletes the key and everything below it.
int DeleteRegTree(RootCode root, const char* subkey);
// True when the key can be opened for reading.
bool RegKeyExists(RootCode root, const char* subkey);

// HKEY_LOCAL_MACHINE when its "SOFTWARE\Microsoft\Windows\CurrentVersion"
// can be opened for writing, else HKEY_CURRENT_USER.
RootCode ChooseInstallRoot();
// Tests force the per-user fallback with this (a machine key that cannot be
// opened stands for one the user may not write).
void SetInstallRootProbeKey(const char* subkey);
