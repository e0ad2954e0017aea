#pragma once
// Calling a library's own registration entry point.

// 1 when the library's DllRegisterServer ran and reported success; 0 when it
// cannot be loaded, has no such export or reports a failure.
int SelfRegister(const char* path);

// 1 when the library's DllUnregisterServer ran and reported success; 0 when
// it cannot be loaded, has no such export or reports a failure.
int SelfUnregister(const char* path);
