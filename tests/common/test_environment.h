#pragma once
// Where a Windows test finds the build's files and puts what it saves.
#include <windows.h>

#include <string>

// A file of the build folder (INSTAL_BUILD), as a path Wine understands.
std::string BuildFile(const char* name);

// The product key of the journals that the Wine tests keep.
constexpr char kTestProductKey[] = "InstalTests";
// The folder for screenshots and other saved results (INSTAL_ARTIFACTS),
// created when missing.
std::string ArtifactFolder();
// A file of the source tree (INSTAL_SOURCE), as a path Wine understands.
std::string SourceFile(const char* relativePath);

// A shell folder (CSIDL_...) of this machine, or "" when it has none.
std::string ShellFolder(int csidl);
bool Exists(const std::string& path);
// The whole file, or "<missing>" when it cannot be opened; a file that a
// running program writes (a journal) is read with FILE_SHARE_WRITE.
std::string ReadBytes(const std::string& path, DWORD sharing = FILE_SHARE_READ);
// A file too large to read whole, summed as it reads back: its CRC-32 and
// length (both 0 when it cannot be opened).
struct FileSum {
    unsigned long crc;
    ULONGLONG length;
};
FileSum SumFile(const std::string& path);
// Creates or replaces the file with the bytes; a test fails when it cannot.
void WriteBytes(const std::string& path, const std::string& bytes);
// Deletes the folder with everything in it, read-only files included.
void DeleteTree(const std::string& folder);

// Today's local date as "YYYYMMDD".
std::string Today();

// The visible top-level window that the window owns, or nullptr.
HWND OwnedPopup(HWND owner);
