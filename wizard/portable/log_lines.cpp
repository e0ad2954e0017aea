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
    case JournalKind::File: return "File written: " + f[0];
    case JournalKind::Replaced: return "File replaced: " + f[0];
    case JournalKind::Key: return "Registry key created: " + RootName(f[0]) + "\\" + f[1];
    case JournalKind::Value: return "Registry value set: " + RootName(f[0]) + "\\" + f[1] + " [" + f[2] + "]";
    case JournalKind::Count: return "Shared library counted: " + f[2];
    case JournalKind::Registered: return "Library registered: " + f[0];
    case JournalKind::Rename: return "Replaced at the next start: " + f[1];
    default: return "";
    }
}
