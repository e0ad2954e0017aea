#pragma once
// The system's count of installations that use a shared file.

constexpr char kSharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// Raises the SharedDLLs count of the installed file's path by one (a
// missing count becomes 1). Does nothing when the SharedDLLs key does not
// exist. Returns 1.
int AddSharedLibraryReference(const char* path);

// Lowers the count of the path by one; at zero the value goes. Returns the
// count left, or -1 when the path has no count (or SharedDLLs is missing).
int ReleaseSharedLibraryReference(const char* path);
