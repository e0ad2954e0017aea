#pragma once
// Self-registering libraries and the system's shared-library counts.

// Calls the library's DllRegisterServer; 1 when it ran and reported success.
int SelfRegister(const char* path);
// Raises the file's count under HKLM SharedDLLs by one (nothing is written
// when that key does not exist). Returns 1.
int AddSharedLibraryReference(const char* path);
