#include "registration/program_group.h"

#include <dde.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/registry.h"
#include "base/waiting.h"
#include "engine/journaled_changes.h"
#include "engine/program_group_deletion.h"
#include "base/portable/program_manager_commands.h"
#include "resources/string_ids.h"

namespace {

constexpr DWORD kCommandPause = 400;
constexpr std::size_t kItemPathCapacity = 2 * kTextCapacity;

enum ConversationStep {
    AwaitingServer = 0,
    AwaitingCommandAck = 1,   // CreateGroup or an AddItem with items after it
    AwaitingDeleteAck = 2,
    AwaitingLastAddAck = 3,
};

struct GroupConversation {
    InstallJob* job;          // what the group holds, and the flag that ends the wait
    int active;
    int step;
    HWND server;
    int itemIndex;
    HGLOBAL lastBlock;
    bool initiating;          // the initiate broadcast is under way: acknowledgements come from servers
    DWORD lastProgress;       // tick of the last step, to notice a server that went silent
};

GroupConversation g_conversation;

// The commands of one item, composed before the item is started so that an
// item whose commands would not fit is skipped whole.
struct ItemCommands {
    char deleteItem[kCommandBlockSize];
    char addItem[kCommandBlockSize];
};

int GroupItemCount()
{
    return static_cast<int>(StringListSize(g_conversation.job->model->groupItems));
}

bool ComposeItemCommands(int index, ItemCommands& commands)
{
    char line[kTextCapacity];
    char title[kTextCapacity];
    char relative[kTextCapacity];
    char path[kItemPathCapacity];
    StringListGet(g_conversation.job->model->groupItems, index, line);
    SplitGroupItem(line, title, relative, kTextCapacity);
    return ComposeItemPath(path, sizeof path, g_conversation.job->destination, relative) &&
           ComposeDeleteItem(commands.deleteItem, title) && ComposeAddItem(commands.addItem, path, title);
}

// Moves the item index past items whose commands do not fit their blocks.
bool FindNextFittingItem(ItemCommands& commands)
{
    while (g_conversation.itemIndex < GroupItemCount()) {
        if (ComposeItemCommands(g_conversation.itemIndex, commands))
            return true;
        ++g_conversation.itemIndex;
    }
    return false;
}

bool PostCommand(HWND window, const char* command)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, kCommandBlockSize);
    if (block == nullptr)
        return false;
    char* text = static_cast<char*>(GlobalLock(block));
    std::strcpy(text, command);
    GlobalUnlock(block);
    LPARAM packed = PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block));
    if (!PostMessageA(g_conversation.server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window), packed)) {
        FreeDDElParam(WM_DDE_EXECUTE, packed);
        GlobalFree(block);
        return false;
    }
    g_conversation.lastBlock = block;
    return true;
}

void ReleaseAcknowledgement(LPARAM lParam)
{
    UINT_PTR status;
    UINT_PTR commands;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &commands);
    FreeDDElParam(WM_DDE_ACK, lParam);
    if (g_conversation.lastBlock != nullptr)
        GlobalFree(g_conversation.lastBlock);
    g_conversation.lastBlock = nullptr;
}

void EndConversation(HWND window)
{
    if (g_conversation.server != nullptr) {
        PostMessageA(g_conversation.server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
        InvalidateRect(g_conversation.server, nullptr, TRUE);
    }
    g_conversation.server = nullptr;
    SetActiveWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpOneMessage();
    g_conversation.job->createGroup = 0;
    g_conversation.active = 0;
}

void StartConversation(HWND window)
{
    InstallJob* job = g_conversation.job;
    g_conversation = GroupConversation{};
    g_conversation.job = job;
    g_conversation.active = 1;
    g_conversation.step = AwaitingServer;
    g_conversation.lastProgress = GetTickCount();
    ATOM application = GlobalAddAtomA("PROGMAN");
    ATOM topic = GlobalAddAtomA("PROGMAN");
    g_conversation.initiating = true;
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(application, topic));
    g_conversation.initiating = false;
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    // The server's answer is sent inside the broadcast: none by now means
    // there is no program manager, and nobody would ever end the wait.
    if (g_conversation.active && g_conversation.server == nullptr)
        EndConversation(window);
}

// A second server that answered the initiate is told at once that it is not wanted.
void DeclineServer(HWND window, HWND server, LPARAM lParam)
{
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
}

void AcceptServer(HWND window, HWND server, LPARAM lParam)
{
    g_conversation.server = server;
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    char groupName[kTextCapacity];
    char command[kCommandBlockSize];
    CopyText(groupName, g_conversation.job->choices.groupName);
    TrimBlanks(groupName);
    if (!ComposeCreateGroup(command, groupName) || !PostCommand(window, command)) {
        EndConversation(window);
        return;
    }
    g_conversation.step = AwaitingCommandAck;
    g_conversation.itemIndex = 0;
    g_conversation.job->view->Pause(kCommandPause, false);
}

void SendNextDeleteItem(HWND window)
{
    ItemCommands commands;
    if (!FindNextFittingItem(commands) || !PostCommand(window, commands.deleteItem)) {
        EndConversation(window);
        return;
    }
    g_conversation.step = AwaitingDeleteAck;
}

void SendAddItem(HWND window)
{
    ItemCommands commands;
    if (!ComposeItemCommands(g_conversation.itemIndex, commands)) {
        EndConversation(window);
        return;
    }
    ++g_conversation.itemIndex;
    g_conversation.step = g_conversation.itemIndex < GroupItemCount() ? AwaitingCommandAck : AwaitingLastAddAck;
    if (!PostCommand(window, commands.addItem)) {
        EndConversation(window);
        return;
    }
    g_conversation.job->view->Pause(kCommandPause, false);
}

void OnAcknowledgement(HWND window, HWND sender, LPARAM lParam)
{
    if (g_conversation.initiating && g_conversation.server == nullptr) {
        AcceptServer(window, sender, lParam);
        return;
    }
    if (g_conversation.initiating && sender != g_conversation.server) {
        DeclineServer(window, sender, lParam);
        return;
    }
    if (sender != g_conversation.server)
        return;
    g_conversation.lastProgress = GetTickCount();
    ReleaseAcknowledgement(lParam);
    switch (g_conversation.step) {
    case AwaitingCommandAck:
        SendNextDeleteItem(window);
        break;
    case AwaitingDeleteAck:
        SendAddItem(window);
        break;
    default:
        EndConversation(window);
        break;
    }
}

bool ConversationStalled()
{
    return GetTickCount() - g_conversation.lastProgress >= kConversationStallMilliseconds;
}

// The titles of the items the group is about to receive.
std::vector<std::string> GroupItemTitles(const InstallModel& model)
{
    std::vector<std::string> titles;
    for (std::size_t index = 0; index < StringListSize(model.groupItems); ++index) {
        char line[kTextCapacity];
        char title[kTextCapacity];
        char relative[kTextCapacity];
        StringListGet(model.groupItems, static_cast<int>(index), line);
        SplitGroupItem(line, title, relative, kTextCapacity);
        titles.push_back(title);
    }
    return titles;
}

}  // namespace

bool HandleProgramGroupMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStartGroupMessage && g_conversation.job != nullptr) {
        StartConversation(window);
        return true;
    }
    if (message != WM_DDE_ACK || !g_conversation.active)
        return false;
    OnAcknowledgement(window, reinterpret_cast<HWND>(wParam), lParam);
    return true;
}

void CreateProgramGroup(InstallJob& job)
{
    if (job.createGroup == 0)
        return;
    job.view->ShowTask(IDS_CREATING_GROUP);
    job.view->Pause(500, false);
    char groupName[kTextCapacity];
    CopyText(groupName, job.choices.groupName);
    TrimBlanks(groupName);
    // A group without a name is the program manager's own folder: the items
    // would land among every other program's, where no removal finds them.
    if (groupName[0] == '\0')
        return;
    // A group the user already had is not the install's: an undo keeps it.
    std::string existing;
    if (!FindProgramGroupFolder(groupName, existing) &&
        !NoteProgramGroup(job.journal, groupName, GroupItemTitles(*job.model)))
        return;
    g_conversation.job = &job;
    SendMessageA(job.window, kStartGroupMessage, 0, 0);
    while (job.createGroup != 0) {
        if (g_conversation.active && ConversationStalled()) {
            if (g_conversation.lastBlock != nullptr)
                GlobalFree(g_conversation.lastBlock);
            g_conversation.lastBlock = nullptr;
            EndConversation(job.window);
            break;
        }
        // After a quit no acknowledgement can be dispatched any more.
        if (!PumpOneMessage())
            break;
        MsgWaitForMultipleObjectsEx(0, nullptr, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    job.view->Pause(300, true);
    job.createGroup = 1;
    g_conversation.job = nullptr;
}
