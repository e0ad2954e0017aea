#include "engine/portable/file_rules.h"

#include <cstring>
#include <string>

#include "base/portable/text_helpers.h"
#include "engine/portable/list_file.h"
#include "base/portable/characters.h"
#include "base/portable/os_code.h"

namespace {

struct ProtectedLibrary {
    const char* name;
    ProtectedClass protectedClass;
};

const ProtectedLibrary kProtectedLibraries[] = {
    {"mfc42.dll", ProtectedRegisteredAgain},
    {"Olepro32.dll", ProtectedRegisteredAgain},
    {"riched20.dll", ProtectedRegisteredAgain},
    {"msvcrt40.dll", ProtectedLeftAlone},
    {"dbghelp.dll", ProtectedReplacedWhenNewer},
};

// The part of an 8.3 name before its ".".
const std::size_t kShortStemLength = 8;

const char* const kInstalledTwice[] = {"KSDllMsr.dll", "KSDllMsd.dll", "KSDllGo.dll", "KSDllGou.dll"};

std::string Numbered(const char* name, unsigned attempt)
{
    std::string numbered(name);
    if (attempt > 0) {
        std::size_t dot = numbered.rfind('.');
        numbered.insert(dot == std::string::npos ? numbered.size() : dot, "~" + std::to_string(attempt));
    }
    return numbered;
}

}  // namespace

int ProtectedLibraryClass(const char* name, ProtectedTest test)
{
    for (const ProtectedLibrary& library : kProtectedLibraries) {
        if (!EqualNoCase(name, library.name))
            continue;
        if (test == ProtectedTest::Narrow && library.protectedClass != ProtectedRegisteredAgain)
            return NotProtected;
        return library.protectedClass;
    }
    return NotProtected;
}

int IsFontFile(const char* name)
{
    const char* dot = std::strrchr(name, '.');
    if (dot == nullptr)
        return 0;
    return EqualNoCase(dot, ".ttf") || EqualNoCase(dot, ".fon");
}

bool IsInstalledTwice(const char* name)
{
    for (const char* library : kInstalledTwice) {
        if (EqualNoCase(name, library))
            return true;
    }
    return false;
}

void TemporaryReplacementName(const char* name, unsigned attempt, char* buffer, std::size_t capacity)
{
    std::string stem(name, std::strcspn(name, "."));
    if (attempt > 0) {
        std::string number = std::to_string(attempt);
        stem = stem.substr(0, kShortStemLength > number.size() ? kShortStemLength - number.size() : 0) + number;
    }
    CopyText(buffer, (stem + ".tmp").c_str(), capacity);
}

void NumberedName(const char* name, unsigned attempt, char* buffer, std::size_t capacity)
{
    CopyText(buffer, Numbered(name, attempt).c_str(), capacity);
}

void TemporaryCopyName(const char* name, unsigned attempt, char* buffer, std::size_t capacity)
{
    CopyText(buffer, ("~" + Numbered(name, attempt)).c_str(), capacity);
}

bool IsNewerThan(const char* high, const char* low, uint32_t existingMs, uint32_t existingLs)
{
    if (high[0] == '\0')
        return false;
    uint32_t packagedMs = static_cast<uint32_t>(ParseNumber(high));
    uint32_t packagedLs = static_cast<uint32_t>(ParseNumber(low));
    if (packagedMs != existingMs)
        return packagedMs > existingMs;
    return packagedLs > existingLs;
}

uint32_t CopyPercent(uint64_t done, uint32_t total)
{
    if (total == 0 || done >= total)
        return 100;
    uint64_t percent = done * 100 / total;
    return percent > 100 ? 100 : static_cast<uint32_t>(percent);
}

bool IsWindows9xFamily(int osCode)
{
    return osCode == OsWindows95 || osCode == OsWindows98;
}
