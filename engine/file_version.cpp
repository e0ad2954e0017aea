#include "engine/file_version.h"

#include <windows.h>

#include "base/version_library.h"
#include "engine/portable/file_rules.h"

namespace {

constexpr DWORD kVersionBlockSize = 260;

}  // namespace

int IsNewerVersion(const char* existingPath, const char* high, const char* low)
{
    if (high[0] == '\0')
        return 0;
    // The fixed part of the version information lies within its first bytes.
    char block[kVersionBlockSize] = {};
    const VersionFunctions* version = VersionLibrary();
    if (version == nullptr || !version->GetFileVersionInfoA(existingPath, 0, sizeof block, block))
        return 0;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!version->VerQueryValueA(block, "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
        length < sizeof *fixed)
        return 0;
    return IsNewerThan(high, low, fixed->dwFileVersionMS, fixed->dwFileVersionLS) ? 1 : 0;
}
