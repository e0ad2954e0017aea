#include "wizard/portable/log_lines.h"

#include <cstdlib>

#include "base/portable/root_codes.h"

namespace {

// The journal keeps a root as its code in decimal.
std::string RootName(const std::string& code)
{
    const char* const kNames[] = {"HKCR", "HKCU", "HKLM", "HKU"};
    unsigned long root = std::strtoul(code.c_str(), nullptr, 10);
    return root >= kClassesRoot && root <= kUsers ? kNames[root - kClassesRoot] : code;
}

}  // namespace

std::string DescribeChange(const JournalRecord& record)
{
    const std::vector<std::string>& f = record.fields;
    switch (record.kind) {
    case JournalKind::Folder: return "Folder created: " + f[0];
    case JournalKind::Key: return "Registry key created: " + RootName(f[0]) + "\\" + f[1];
    case JournalKind::Value: return "Registry value set: " + RootName(f[0]) + "\\" + f[1] + " [" + f[2] + "]";
    case JournalKind::Count: return "Shared library counted: " + f[2];
    case JournalKind::Registered: return "Library registered: " + f[0];
    case JournalKind::Rename: return "Replaced at the next start: " + f[1];
    default: return "";
    }
}

std::string DescribeFileDecision(const FileDecision& decision)
{
    // In the order of FileRule.
    const char* const kRules[] = {
        "File copied (none was there): ",
        "File replaced (the list replaces it always): ",
        "File replaced (the package's version is newer): ",
        "File kept (the machine's version is as new or newer): ",
        "File kept (a font the machine has): ",
        "File replaced at the next start (a running program holds it): ",
        "File kept (a system library the machine has; registered again): ",
        "File kept (a system library the machine has): ",
        "File replaced (a system library; the package's version is newer): ",
        "File kept (a system library as new or newer than the package's): ",
        "File kept (a newer system library could not be written over it): ",
        "File copied (the product library's copy in the system folder): ",
    };
    static_assert(sizeof kRules / sizeof *kRules == static_cast<int>(FileRule::SecondCopyInSystem) + 1);
    return kRules[static_cast<int>(decision.rule)] + decision.target;
}
