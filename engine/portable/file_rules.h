#pragma once
// The copy step's decisions about names and versions: protected system
// libraries, fonts, the product libraries that go to the system directory
// too, the names of the helper files beside a target, newer versions and the
// bar's percentage.
#include <cstddef>
#include <cstdint>

enum class ProtectedTest {
    Narrow,   // only the libraries that are registered again (class 1)
    Wide,     // every protected library (classes 1 to 3)
};

// What the copy step does with an existing protected library.
enum ProtectedClass {
    NotProtected = 0,
    ProtectedRegisteredAgain = 1,   // never replaced; registered again
    ProtectedLeftAlone = 2,         // never replaced nor touched
    ProtectedReplacedWhenNewer = 3, // replaced whole by a newer version only
};

// ProtectedRegisteredAgain for mfc42.dll, Olepro32.dll and riched20.dll,
// ProtectedLeftAlone for msvcrt40.dll, ProtectedReplacedWhenNewer for
// dbghelp.dll (any case); the last two only in the wide test; else
// NotProtected.
int ProtectedLibraryClass(const char* name, ProtectedTest test);

// 1 when the text from the last "." is ".ttf" or ".fon" (any case).
int IsFontFile(const char* name);

// The four product libraries that also get a copy in the system directory.
bool IsInstalledTwice(const char* name);

// The helper names of a file, one per attempt, for the caller to try until
// one names nothing yet; each is cut to the buffer.
//
// A copy waiting for the next start: the name's part before its first "."
// with ".tmp" (attempt 0), then that part cut to make room for the attempt's
// number within eight characters, so that the numbered names are 8.3 names,
// as the start-up rename of Windows 9x takes them ("Kestrel.exe":
// "Kestrel.tmp", "Kestrel1.tmp", ... "Kestre10.tmp").
void TemporaryReplacementName(const char* name, unsigned attempt, char* buffer, std::size_t capacity);

// A kept copy: the name itself (attempt 0), then "~" and the number before
// its last "." ("Kestrel.exe": "Kestrel~1.exe"), or at its end without one.
void NumberedName(const char* name, unsigned attempt, char* buffer, std::size_t capacity);

// A new file written beside its target before it takes the target's name:
// "~" and the numbered name ("~Kestrel.exe", "~Kestrel~1.exe", ...).
void TemporaryCopyName(const char* name, unsigned attempt, char* buffer, std::size_t capacity);

// Whether the packaged version (two texts in the list file's number syntax,
// most and least significant word) is newer than the existing file's
// version. An empty high text is never newer.
bool IsNewerThan(const char* high, const char* low, uint32_t existingMs, uint32_t existingLs);

// done * 100 / total, capped at 100; a total of 0 counts as complete.
uint32_t CopyPercent(uint64_t done, uint32_t total);

// Operating-system codes 1 and 2 are Windows 95, 98 and Me.
bool IsWindows9xFamily(int osCode);
