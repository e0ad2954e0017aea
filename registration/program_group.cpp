#include "registration/program_group.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include "base/portable/program_manager_commands.h"
#include "base/portable/text_helpers.h"
#include "base/program_manager.h"
#include "engine/journaled_changes.h"
#include "engine/program_group_deletion.h"
#include "registration/shell_link.h"
#include "resources/string_ids.h"

namespace {

constexpr std::size_t kItemPathCapacity = 2 * kTextCapacity;

// The group items as the list file names them: a title and a path relative
// to the destination each.
std::vector<ProgramItem> ListedGroupItems(const InstallModel& model)
{
    std::vector<ProgramItem> items;
    for (const std::string& line : model.groupItems) {
        char title[kTextCapacity];
        char relative[kTextCapacity];
        SplitGroupItem(line.c_str(), title, relative, kTextCapacity);
        items.push_back(ProgramItem{title, relative});
    }
    return items;
}

std::vector<std::string> ItemTitles(const std::vector<ProgramItem>& items)
{
    std::vector<std::string> titles;
    for (const ProgramItem& item : items)
        titles.push_back(item.title);
    return titles;
}

// The items with their full paths; an item whose path does not fit is
// skipped whole.
std::vector<ProgramItem> ItemsUnder(const char* destination, const std::vector<ProgramItem>& listed)
{
    std::vector<ProgramItem> items;
    for (const ProgramItem& item : listed) {
        char path[kItemPathCapacity];
        if (ComposeItemPath(path, sizeof path, destination, item.path.c_str()))
            items.push_back(ProgramItem{item.title, path});
    }
    return items;
}

}  // namespace

void MakeGroupFolder(const char* groupName, const std::vector<ProgramItem>& items, RootCode root)
{
    char folder[MAX_PATH] = "";
    int programs = root == kCurrentUser ? CSIDL_PROGRAMS : CSIDL_COMMON_PROGRAMS;
    if (!SHGetSpecialFolderPathA(nullptr, folder, programs, TRUE))
        return;
    JoinPath(folder, groupName, sizeof folder);
    CreateDirectoryA(folder, nullptr);
    for (const ProgramItem& item : items) {
        char target[kTextCapacity];
        CopyText(target, item.path.c_str());
        CreateShellLink(target, (std::string(folder) + "\\" + item.title + ".lnk").c_str(), nullptr);
    }
}

void CreateProgramGroup(InstallJob& job)
{
    if (!job.choices.programGroup)
        return;
    InstallView& view = *job.view;
    view.ShowTask(IDS_CREATING_GROUP);
    view.Pause(500, false);
    char groupName[kTextCapacity];
    CopyText(groupName, job.choices.groupName);
    TrimBlanks(groupName);
    // A group without a name is the program manager's own folder: the items
    // would land among every other program's, where no removal finds them.
    if (groupName[0] == '\0')
        return;
    std::vector<ProgramItem> listed = ListedGroupItems(*job.model);
    // A group the user already had is not the install's: an undo keeps it.
    std::string existing;
    if (!FindProgramGroupFolder(groupName, existing) && !NoteProgramGroup(job.journal, groupName, ItemTitles(listed)))
        return;
    std::vector<ProgramItem> items = ItemsUnder(job.choices.destination, listed);
    ProgramManagerAnswer answer =
        CreateProgramManagerGroup(groupName, items, [&view](DWORD milliseconds) { view.Pause(milliseconds, false); });
    // No shell answers where a deployment tool runs as the system account.
    if (answer == ProgramManagerAnswer::NoServer) {
        MakeGroupFolder(groupName, items, job.installRoot);
        job.groupMadeAsFolder = true;
    }
    view.Pause(300, true);
}
