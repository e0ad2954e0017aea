#pragma once
// The operating-system code: 0 unsupported, 1 Windows 95, 2 Windows 98 or
// Me, 3 NT before 5.0, 4 Windows 2000, 5 XP or Server 2003, 6 later.

enum OsCodeValue {
    OsUnsupported = 0,
    OsWindows95 = 1,
    OsWindows98 = 2,
    OsWindowsNT4 = 3,
    OsWindows2000 = 4,
    OsWindowsXP = 5,
    OsWindowsLater = 6,
};

constexpr unsigned kPlatformWin9x = 1;
constexpr unsigned kPlatformNT = 2;

int OsCodeFor(unsigned platformId, unsigned majorVersion, unsigned minorVersion);

// Codes 3 and above are the NT family.
inline bool IsNtFamily(int osCode) { return osCode >= OsWindowsNT4; }
