#pragma once
// The uninstall record read into what a removal does. The record is input:
// every count and path in it is checked here, so that a damaged or hostile
// record can neither hang the removal nor point it outside the product.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t kPathCapacity = 260;          // 259 characters and the zero
constexpr std::uint32_t kMaxRecordCount = 10000;    // more entries than any list file can hold

enum class PathProblem {
    None,
    Empty,
    ParentStep,     // a ".." (or only dots) as a part of the path
    Rooted,         // a drive, a root or a stream where a relative path belongs
    DeviceName,     // CON, NUL, COM1...
    TooLong,        // more than 259 characters once joined
    Outside,        // a full path outside the product folder and the Windows folder
};

// A count value ("Files", "Items", "Associations", "Registers"): decimal
// digits only (blanks around them allowed), at most kMaxRecordCount.
bool ReadRecordCount(const char* text, std::uint32_t* count);

// "path,flag": the path and whether the register flag is non-zero. False
// for an entry without a comma.
bool SplitFileEntry(const char* entry, std::string* path, bool* registered);

PathProblem CheckRelativePath(const char* relative);
// "X:\..." without a stream, a parent step or a device name; not a drive root.
PathProblem CheckFullPath(const char* path);
// True when path is the folder or lies below it (without regard to case).
bool IsWithinFolder(const char* path, const char* folder);

// A recorded file: relative to the product folder, or a full path inside
// the product folder or the Windows folder (where the wizard puts system
// libraries and fonts). The full path is written to fullPath.
PathProblem ResolveRecordedFile(const char* recorded, const char* productFolder, const char* windowsFolder,
                                std::string* fullPath);

// ".ext": a dot and up to 31 characters without a backslash or blank.
bool IsSafeExtension(const char* extension);

// Folders that no product owns. The Win32 layer gives them as real paths
// (full and long), and spells a recorded folder the same way before it is
// compared, so that a short form or a trailing dot cannot slip past.
struct SystemFolders {
    std::string windows;                  // it and everything in it
    std::vector<std::string> reserved;    // system, program files, profiles, user folders, temp: each and all above it
    std::string (*realPath)(const std::string& path);   // nullptr: compared as spelled
};

// True for a drive root, a folder in or above the Windows folder, and a
// reserved folder or one above it; blanks and dots that the system ignores,
// doubled or forward slashes and letter case make no difference.
bool IsSystemFolder(const std::string& folder, const SystemFolders& system);

struct PlannedFile {
    std::string path;
    bool registered;
};

struct UninstallPlan {
    std::string name, version, folder;
    std::vector<PlannedFile> files;
    std::vector<std::string> folders;       // to remove when empty, deepest first
    std::string group;                      // empty: no program group
    std::vector<std::string> itemTitles;
    bool shortcut;
    std::vector<std::string> extensions;
    std::vector<std::string> skipped;       // recorded values that are not acted on, by value name
};

enum class PlanResult {
    Ready,
    NoRecord,        // no "Path" value
    BadFolder,       // "Path" is not a usable absolute folder, or a system folder
    BadCount,        // a count is not a number or is absurd; failedValue names it
};

// Looks a value of the uninstall record up by name; nullptr when missing.
struct RecordSource {
    const char* (*value)(const void* context, const char* name);
    const void* context;
};

PlanResult PlanUninstall(const RecordSource& record, const SystemFolders& system, UninstallPlan* plan,
                         std::string* failedValue);
