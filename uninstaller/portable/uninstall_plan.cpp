#include "uninstaller/portable/uninstall_plan.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "base/portable/characters.h"
#include "base/portable/safe_names.h"

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

PathProblem CheckParts(const char* path)
{
    std::string part;
    for (const char* c = path;; ++c) {
        if (*c != '\0' && !IsSeparator(*c)) {
            part += *c;
            continue;
        }
        switch (CheckNamePart(part)) {
        case NamePartProblem::Dots:
            return PathProblem::ParentStep;
        case NamePartProblem::Device:
            return PathProblem::DeviceName;
        case NamePartProblem::None:
            break;
        }
        if (*c == '\0')
            return PathProblem::None;
        part.clear();
    }
}

bool HasDrive(const char* path)
{
    return ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
}

// The path as the system resolves it, for comparison: lower case, one
// backslash between parts, and each part without the trailing dots and
// blanks that the system drops.
std::string ComparisonKey(const std::string& path)
{
    std::string key, part;
    auto endPart = [&] {
        while (!part.empty() && (part.back() == '.' || part.back() == ' '))
            part.pop_back();
        if (!part.empty())
            key += (key.empty() ? "" : "\\") + part;
        part.clear();
    };
    for (char c : path) {
        if (IsSeparator(c))
            endPart();
        else
            part += Lower(c);
    }
    endPart();
    return key;
}

// Both keys: the folder is the other or lies below it.
bool KeyWithin(const std::string& key, const std::string& folderKey)
{
    return !folderKey.empty() && key.compare(0, folderKey.size(), folderKey) == 0 &&
           (key.size() == folderKey.size() || key[folderKey.size()] == '\\');
}

std::size_t Depth(const std::string& path)
{
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

// The product folder and every folder between it and a recorded file,
// deepest first, none of them a system folder.
void PlanFolders(const SystemFolders& system, UninstallPlan* plan)
{
    std::set<std::string> folders = {plan->folder};
    for (const PlannedFile& file : plan->files) {
        std::string folder = file.path;
        for (std::size_t cut; (cut = folder.rfind('\\')) != std::string::npos;) {
            folder.resize(cut);
            if (folder.size() <= plan->folder.size() || !IsWithinFolder(folder.c_str(), plan->folder.c_str()))
                break;
            folders.insert(folder);
        }
    }
    for (const std::string& folder : folders) {
        if (!IsSystemFolder(folder, system))
            plan->folders.push_back(folder);
    }
    std::stable_sort(plan->folders.begin(), plan->folders.end(),
                     [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
}

std::string Trimmed(const char* text)
{
    std::string value = text;
    std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

const char* Lookup(const RecordSource& record, const char* name)
{
    return record.value(record.context, name);
}

std::string Numbered(const char* name, std::uint32_t n)
{
    return name + std::to_string(n);
}

bool ReadCount(const RecordSource& record, const char* name, std::uint32_t* count, std::string* failedValue)
{
    const char* text = Lookup(record, name);
    *count = 0;
    if (text == nullptr)
        return true;
    if (ReadRecordCount(text, count))
        return true;
    *failedValue = name;
    return false;
}

void PlanFiles(const RecordSource& record, std::uint32_t count, const char* windowsFolder, UninstallPlan* plan)
{
    for (std::uint32_t n = 1; n <= count; ++n) {
        std::string name = Numbered("File", n);
        const char* entry = Lookup(record, name.c_str());
        if (entry == nullptr)
            continue;   // a removal run before may have been cut short: nothing to do
        PlannedFile file;
        std::string recorded;
        if (!SplitFileEntry(entry, &recorded, &file.registered) ||
            ResolveRecordedFile(recorded.c_str(), plan->folder.c_str(), windowsFolder, &file.path) != PathProblem::None) {
            plan->skipped.push_back(name + " = " + entry);
            continue;
        }
        plan->files.push_back(file);
    }
}

void PlanGroup(const RecordSource& record, std::uint32_t count, UninstallPlan* plan)
{
    const char* group = Lookup(record, "Group");
    if (group == nullptr)
        return;
    std::string name = Trimmed(group);
    if (name.empty() || CheckRelativePath(name.c_str()) != PathProblem::None || name.size() >= kPathCapacity) {
        plan->skipped.push_back(std::string("Group = ") + group);
        return;
    }
    plan->group = name;
    for (std::uint32_t n = 1; n <= count; ++n) {
        const char* item = Lookup(record, Numbered("Item", n).c_str());
        if (item == nullptr)
            continue;
        std::string title = item;
        title = title.substr(0, title.find(','));
        if (!title.empty() && CheckRelativePath(title.c_str()) == PathProblem::None && title.find('\\') == std::string::npos)
            plan->itemTitles.push_back(title);
    }
}

void PlanAssociations(const RecordSource& record, std::uint32_t count, UninstallPlan* plan)
{
    for (std::uint32_t n = 1; n <= count; ++n) {
        std::string name = Numbered("Associate", n);
        const char* extension = Lookup(record, name.c_str());
        if (extension == nullptr)
            continue;
        if (IsSafeExtension(extension))
            plan->extensions.push_back(extension);
        else
            plan->skipped.push_back(name + " = " + extension);
    }
}

std::string TextOrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

}  // namespace

bool ReadRecordCount(const char* text, std::uint32_t* count)
{
    std::string digits = Trimmed(text);
    if (digits.empty() || digits.size() > 5)
        return false;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > kMaxRecordCount)
        return false;
    *count = value;
    return true;
}

bool SplitFileEntry(const char* entry, std::string* path, bool* registered)
{
    const char* comma = std::strrchr(entry, ',');
    if (comma == nullptr || comma == entry)
        return false;
    path->assign(entry, static_cast<std::size_t>(comma - entry));
    std::string flag = Trimmed(comma + 1);
    *registered = !flag.empty() && flag.find_first_not_of('0') != std::string::npos;
    return true;
}

PathProblem CheckRelativePath(const char* relative)
{
    if (relative[0] == '\0')
        return PathProblem::Empty;
    if (IsSeparator(relative[0]) || std::strchr(relative, ':') != nullptr)
        return PathProblem::Rooted;
    return CheckParts(relative);
}

PathProblem CheckFullPath(const char* path)
{
    if (path[0] == '\0')
        return PathProblem::Empty;
    if (!HasDrive(path) || path[2] != '\\' || std::strchr(path + 2, ':') != nullptr)
        return PathProblem::Rooted;
    if (path[3] == '\0')
        return PathProblem::Rooted;   // a drive's root is never a product's folder or file
    if (std::strlen(path) >= kPathCapacity)
        return PathProblem::TooLong;
    return CheckParts(path + 3);
}

bool IsWithinFolder(const char* path, const char* folder)
{
    std::size_t length = std::strlen(folder);
    while (length > 0 && folder[length - 1] == '\\')
        --length;
    if (length == 0 || std::strlen(path) < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (Lower(path[i]) != Lower(folder[i]))
            return false;
    }
    return path[length] == '\0' || path[length] == '\\';
}

PathProblem ResolveRecordedFile(const char* recorded, const char* productFolder, const char* windowsFolder,
                                std::string* fullPath)
{
    if (HasDrive(recorded)) {
        PathProblem problem = CheckFullPath(recorded);
        if (problem != PathProblem::None)
            return problem;
        if (!IsWithinFolder(recorded, productFolder) && !IsWithinFolder(recorded, windowsFolder))
            return PathProblem::Outside;
        *fullPath = recorded;
        return PathProblem::None;
    }
    PathProblem problem = CheckRelativePath(recorded);
    if (problem != PathProblem::None)
        return problem;
    std::string joined = productFolder;
    if (!joined.empty() && joined.back() != '\\')
        joined += '\\';
    joined += recorded;
    if (joined.size() >= kPathCapacity)
        return PathProblem::TooLong;
    *fullPath = joined;
    return PathProblem::None;
}

bool IsSystemFolder(const std::string& folder, const SystemFolders& system)
{
    std::string key = ComparisonKey(system.realPath != nullptr ? system.realPath(folder) : folder);
    std::string windows = ComparisonKey(system.windows);
    if (key.size() <= 2 || key.find('\\') == std::string::npos)
        return true;   // a drive root, or no full path at all
    if (KeyWithin(key, windows) || KeyWithin(windows, key))
        return true;
    for (const std::string& reserved : system.reserved) {
        if (KeyWithin(ComparisonKey(reserved), key))
            return true;
    }
    return false;
}

bool IsSafeExtension(const char* extension)
{
    std::size_t length = std::strlen(extension);
    if (length < 2 || length > 32 || extension[0] != '.')
        return false;
    for (std::size_t i = 1; i < length; ++i) {
        auto c = static_cast<unsigned char>(extension[i]);
        if (c <= ' ' || c == '\\' || c == '/' || c == '.' || c == '"')
            return false;
    }
    return true;
}

PlanResult PlanUninstall(const RecordSource& record, const SystemFolders& system, UninstallPlan* plan,
                         std::string* failedValue)
{
    *plan = UninstallPlan{};
    const char* folder = Lookup(record, "Path");
    if (folder == nullptr)
        return PlanResult::NoRecord;
    plan->folder = folder;
    while (plan->folder.size() > 3 && plan->folder.back() == '\\')
        plan->folder.pop_back();
    if (CheckFullPath(plan->folder.c_str()) != PathProblem::None || IsSystemFolder(plan->folder, system)) {
        *failedValue = "Path";
        return PlanResult::BadFolder;
    }
    std::uint32_t files, items, associations;
    if (!ReadCount(record, "Files", &files, failedValue) || !ReadCount(record, "Items", &items, failedValue) ||
        !ReadCount(record, "Associations", &associations, failedValue))
        return PlanResult::BadCount;
    plan->name = TextOrEmpty(Lookup(record, "Name"));
    plan->version = TextOrEmpty(Lookup(record, "Version"));
    PlanFiles(record, files, system.windows.c_str(), plan);
    PlanFolders(system, plan);
    PlanGroup(record, items, plan);
    const char* shortcut = Lookup(record, "Shortcut");
    plan->shortcut = shortcut != nullptr && std::strcmp(shortcut, "1") == 0;
    PlanAssociations(record, associations, plan);
    return PlanResult::Ready;
}
