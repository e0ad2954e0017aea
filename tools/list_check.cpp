#include "tools/list_check.h"

#include <algorithm>
#include <cstring>

#include "engine/portable/file_line.h"
#include "engine/portable/file_rules.h"
#include "engine/portable/list_file.h"
#include "base/portable/characters.h"
#include "engine/portable/package_format.h"
#include "engine/portable/path_macro.h"
#include "registration/portable/registry_line.h"

namespace {

constexpr int32_t kFirstRootCode = static_cast<int32_t>(0x80000000u);
constexpr int32_t kLastRootCode = static_cast<int32_t>(0x80000006u);

void Add(std::vector<Finding>& findings, const ListLine& line, FindingCode code,
         std::vector<std::string> blanks = {})
{
    findings.push_back({line.number, code, std::move(blanks)});
}

bool StartsWithMacro(const std::string& text)
{
    const char* rest = nullptr;
    return RecognizePathMacro(text.c_str(), &rest) != PathMacro::None;
}

bool IsAbsoluteFolder(const std::string& text)
{
    bool letter = !text.empty() && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    return letter && text.size() >= 3 && text[1] == ':' && text[2] == '\\';
}

bool EndsWith(const std::string& text, const char* tail)
{
    std::size_t length = std::strlen(tail);
    return text.size() >= length && EqualNoCase(text.c_str() + text.size() - length, tail);
}

bool HasParentStep(const std::string& path)
{
    std::size_t start = 0;
    for (;;) {
        std::size_t end = path.find_first_of("\\/", start);
        if (path.compare(start, end == std::string::npos ? std::string::npos : end - start, "..") == 0)
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

// A path below the destination folder, as group items give them.
bool IsInsideRelative(const std::string& path)
{
    bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/' || path[0] == '<');
    return !rooted && path.find(':') == std::string::npos && !HasParentStep(path);
}

// A shortcut target: "<AppDir>" alone or followed by a path below it.
bool IsInsideDestination(const std::string& target)
{
    const char* rest = nullptr;
    if (RecognizePathMacro(target.c_str(), &rest) != PathMacro::AppDir)
        return false;
    return *rest == '\0' || (*rest == '\\' && !HasParentStep(rest + 1));
}

void CheckTargetFolder(const ListLine& line, const std::string& folder, std::vector<Finding>& findings)
{
    if (!IsAbsoluteFolder(folder) && !StartsWithMacro(folder))
        Add(findings, line, FindingCode::BadTargetFolder, {folder});
    else if (!folder.empty() && folder.back() == '\\')
        Add(findings, line, FindingCode::TargetFolderBackslash, {folder});
}

// A library replaced only by version never is when it carries none; the
// protected libraries of classes 1 and 2 are never replaced at all.
bool IsUnversionedLibrary(const std::string& line, const std::string& name)
{
    if (!EndsWith(name, ".dll") && !EndsWith(name, ".ocx"))
        return false;
    int protectedClass = ProtectedLibraryClass(name.c_str(), ProtectedTest::Wide);
    return protectedClass != ProtectedRegisteredAgain && protectedClass != ProtectedLeftAlone &&
           FieldOf(line, 4).empty() && ParseNumber(FieldOf(line, 6).c_str()) == 0;
}

// The folder's entry for a name; a name the caller did not look up counts
// as missing.
FolderFile FileIn(const FolderFiles& folder, const std::string& name)
{
    auto file = folder.find(name);
    return file != folder.end() ? file->second : FolderFile{name, false, 0};
}

void CheckFileAgainstFolder(const ListLine& line, const std::string& name, const FolderFiles& folder,
                            std::vector<Finding>& findings)
{
    FolderFile file = FileIn(folder, name);
    if (!file.present) {
        Add(findings, line, FindingCode::MissingFile, {file.path});
        return;
    }
    std::string sizeField = FieldOf(line.value, 3);
    if (static_cast<uint32_t>(ParseNumber(sizeField.c_str())) != file.size)
        Add(findings, line, FindingCode::SizeDiffers, {name, std::to_string(file.size), sizeField});
}

struct SeenName {
    std::string trimmed;
    std::size_t line;
};

void CheckFileLines(const ListLayout& layout, const FolderFiles* folder, std::vector<Finding>& findings)
{
    std::vector<SeenName> seen;
    for (std::size_t index : layout.files) {
        const ListLine& line = layout.lines[index];
        std::size_t fields = FieldCount(line.value);
        if (fields != 8) {
            Add(findings, line, FindingCode::FileLineFields, {std::to_string(fields)});
            continue;
        }
        CheckTargetFolder(line, FieldOf(line.value, 1), findings);
        std::string name = FieldOf(line.value, 2);
        if (!IsPlainFileName(name.c_str())) {
            Add(findings, line, FindingCode::UnsafeFileName, {name});
            continue;
        }
        // The copy step looks the unpacked file up without the space after
        // a three-letter extension, and in a folder that ignores case.
        std::vector<char> trimmed(name.begin(), name.end());
        trimmed.push_back('\0');
        TrimExtensionSpace(trimmed.data());
        auto first = std::find_if(seen.begin(), seen.end(), [&](const SeenName& other) {
            return EqualNoCase(other.trimmed.c_str(), trimmed.data());
        });
        if (first != seen.end())
            Add(findings, line, FindingCode::DuplicateFileName, {name, std::to_string(first->line)});
        else
            seen.push_back({trimmed.data(), line.number});
        if (IsUnversionedLibrary(line.value, name))
            Add(findings, line, FindingCode::UnversionedLibrary, {name});
        if (folder != nullptr)
            CheckFileAgainstFolder(line, name, *folder, findings);
    }
}

void CheckRegistryLines(const ListLayout& layout, std::vector<Finding>& findings)
{
    for (std::size_t index : layout.registry) {
        const ListLine& line = layout.lines[index];
        RegistryLine parsed;
        bool hasAt = SplitRegistryLine(line.value.c_str(), parsed);
        if (parsed.root == 0)
            Add(findings, line, FindingCode::RegistryRootZero);
        else if (parsed.root < kFirstRootCode || parsed.root > kLastRootCode)
            Add(findings, line, FindingCode::BadRegistryRoot, {FieldOf(line.value, 1)});
        if (!hasAt)
            Add(findings, line, FindingCode::RegistryNoAt);
        else if (!StartsWithMacro(parsed.data))
            Add(findings, line, FindingCode::RegistryDataNoMacro, {parsed.data});
    }
}

void CheckGroupItems(const ListLayout& layout, std::vector<Finding>& findings)
{
    for (std::size_t index : layout.groupItems) {
        const ListLine& line = layout.lines[index];
        std::size_t comma = line.value.find(',');
        std::string path = comma == std::string::npos ? "" : line.value.substr(comma + 1);
        if (comma == 0 || path.empty())
            Add(findings, line, FindingCode::GroupItemFields);
        else if (!IsInsideRelative(path))
            Add(findings, line, FindingCode::GroupItemOutside, {path});
    }
}

void CheckAssociations(const ListLayout& layout, std::vector<Finding>& findings)
{
    for (std::size_t index : layout.associations) {
        const ListLine& line = layout.lines[index];
        if (FieldCount(line.value) < 3 || FieldOf(line.value, 1).empty() || FieldOf(line.value, 2).empty() ||
            FieldOf(line.value, 3).empty())
            Add(findings, line, FindingCode::AssociationFields);
    }
}

void CheckShortcutTarget(const ListLayout& layout, std::vector<Finding>& findings)
{
    if (layout.shortcutTarget == kNoLine)
        return;
    const ListLine& line = layout.lines[layout.shortcutTarget];
    if (!line.value.empty() && !IsInsideDestination(line.value))
        Add(findings, line, FindingCode::ShortcutOutside, {line.value});
}

void CheckProgressTotal(const ListLayout& layout, const FolderFiles& folder, std::vector<Finding>& findings)
{
    uint64_t total = 0;
    if (layout.progressTotal == kNoLine || !ComputeProgressTotal(layout, folder, total))
        return;
    const ListLine& line = layout.lines[layout.progressTotal];
    uint32_t listed = static_cast<uint32_t>(ParseNumber(line.value.c_str()));
    if (listed != total)
        Add(findings, line, FindingCode::ProgressTotalDiffers, {std::to_string(listed), std::to_string(total)});
}

void CheckPackageFiles(const FolderFiles& folder, std::vector<Finding>& findings)
{
    for (const char* name : {kLogoName, kUninstallerName}) {
        FolderFile file = FileIn(folder, name);
        if (!file.present)
            findings.push_back({0, FindingCode::MissingFile, {file.path}});
    }
}

}  // namespace

std::string FieldOf(const std::string& line, std::size_t n)
{
    std::size_t start = 0;
    for (std::size_t i = 1; i < n; ++i) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string::npos)
            return "";
        start = comma + 1;
    }
    if (n == 0)
        return "";
    std::size_t end = line.find(',', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::size_t FieldCount(const std::string& line)
{
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1;
}

std::vector<std::string> NamesInPackage(const ListLayout& layout)
{
    std::vector<std::string> names = {kLogoName, kUninstallerName};
    for (std::size_t index : layout.files)
        names.push_back(FieldOf(layout.lines[index].value, 2));
    return names;
}

bool ComputeProgressTotal(const ListLayout& layout, const FolderFiles& folder, uint64_t& total)
{
    total = 0;
    for (const std::string& name : NamesInPackage(layout)) {
        FolderFile file = FileIn(folder, name);
        if (!file.present)
            return false;
        total += file.size + kEntryHeaderSize;
    }
    return true;
}

std::vector<Finding> CheckListFile(const ListLayout& layout, const FolderFiles* folder)
{
    std::vector<Finding> findings = layout.findings;
    CheckFileLines(layout, folder, findings);
    CheckRegistryLines(layout, findings);
    CheckGroupItems(layout, findings);
    CheckAssociations(layout, findings);
    CheckShortcutTarget(layout, findings);
    if (folder != nullptr) {
        CheckProgressTotal(layout, *folder, findings);
        CheckPackageFiles(*folder, findings);
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return (a.line == 0 ? kNoLine : a.line) < (b.line == 0 ? kNoLine : b.line);
    });
    return findings;
}
