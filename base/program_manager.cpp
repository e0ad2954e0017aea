#include "base/program_manager.h"

#include <dde.h>

#include <cstring>

#include "base/portable/program_manager_commands.h"
#include "base/waiting.h"

namespace {

const char kClientClass[] = "InstalProgramManagerClient";
constexpr DWORD kCommandPause = 400;
constexpr DWORD kWakeMilliseconds = 100;
constexpr UINT_PTR kAcknowledged = 0x8000;   // the fAck bit of an acknowledgement's status

struct Command {
    std::string text;
    bool pausedAfter;
};

struct Conversation {
    const std::vector<Command>& commands;
    const ProgramManagerPause& pause;
    HWND window;
    HWND server;
    std::size_t next;         // the command to post once the last one is acknowledged
    HGLOBAL lastBlock;        // the posted command the server has not acknowledged yet
    bool initiating;          // the initiate broadcast is under way: acknowledgements come from servers
    bool active;
    bool refused;
    DWORD lastProgress;       // tick of the last step, to notice a server that went silent
    ProgramManagerAnswer answer;
};

void FreeLastBlock(Conversation& conversation)
{
    if (conversation.lastBlock != nullptr)
        GlobalFree(conversation.lastBlock);
    conversation.lastBlock = nullptr;
}

void EndConversation(Conversation& conversation, ProgramManagerAnswer answer)
{
    FreeLastBlock(conversation);
    if (conversation.server != nullptr) {
        PostMessageA(conversation.server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(conversation.window), 0);
        InvalidateRect(conversation.server, nullptr, TRUE);
    }
    conversation.active = false;
    conversation.answer = answer;
}

bool PostCommand(Conversation& conversation, const std::string& command)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, kCommandBlockSize);
    if (block == nullptr)
        return false;
    char* text = static_cast<char*>(GlobalLock(block));
    std::strcpy(text, command.c_str());
    GlobalUnlock(block);
    LPARAM packed = PackDDElParam(WM_DDE_EXECUTE, 0, reinterpret_cast<UINT_PTR>(block));
    if (!PostMessageA(conversation.server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(conversation.window), packed)) {
        FreeDDElParam(WM_DDE_EXECUTE, packed);
        GlobalFree(block);
        return false;
    }
    conversation.lastBlock = block;
    return true;
}

void PostNextCommand(Conversation& conversation)
{
    if (conversation.next == conversation.commands.size()) {
        EndConversation(conversation,
                        conversation.refused ? ProgramManagerAnswer::Refused : ProgramManagerAnswer::Accepted);
        return;
    }
    const Command& command = conversation.commands[conversation.next++];
    if (!PostCommand(conversation, command.text)) {
        EndConversation(conversation, ProgramManagerAnswer::Unfinished);
        return;
    }
    if (command.pausedAfter)
        conversation.pause(kCommandPause);
}

// The answers to the initiate: the first server is the conversation's, any
// other one is told at once that it is not wanted.
void OnServerAnswer(Conversation& conversation, HWND server, LPARAM lParam)
{
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    if (conversation.server != nullptr) {
        PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(conversation.window), 0);
        return;
    }
    conversation.server = server;
    PostNextCommand(conversation);
}

void OnAcknowledgement(Conversation& conversation, HWND sender, LPARAM lParam)
{
    if (conversation.initiating && sender != conversation.server) {
        OnServerAnswer(conversation, sender, lParam);
        return;
    }
    if (sender != conversation.server)
        return;
    conversation.lastProgress = GetTickCount();
    UINT_PTR status;
    UINT_PTR command;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &command);
    FreeDDElParam(WM_DDE_ACK, lParam);
    conversation.refused |= (status & kAcknowledged) == 0;
    FreeLastBlock(conversation);
    PostNextCommand(conversation);
}

LRESULT CALLBACK ClientProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* conversation = reinterpret_cast<Conversation*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_DDE_ACK || conversation == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    if (conversation->active)
        OnAcknowledgement(*conversation, reinterpret_cast<HWND>(wParam), lParam);
    return 0;
}

HWND CreateClientWindow(Conversation& conversation)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ClientProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClientClass;
    RegisterClassA(&windowClass);   // fails harmlessly once the class exists
    return CreateWindowExA(0, kClientClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                           &conversation);
}

void Initiate(Conversation& conversation)
{
    conversation.active = true;
    conversation.lastProgress = GetTickCount();
    ATOM application = GlobalAddAtomA("PROGMAN");
    ATOM topic = GlobalAddAtomA("PROGMAN");
    conversation.initiating = true;
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(conversation.window),
                 MAKELPARAM(application, topic));
    conversation.initiating = false;
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    // The server's answer is sent inside the broadcast: none by now means
    // there is no program manager, and nothing to wait for.
    if (conversation.active && conversation.server == nullptr)
        EndConversation(conversation, ProgramManagerAnswer::NoServer);
}

bool Stalled(const Conversation& conversation)
{
    return GetTickCount() - conversation.lastProgress >= kConversationStallMilliseconds;
}

// The acknowledgements are posted to the client's window: they are handled
// among the thread's other messages until the conversation ends.
void AwaitEnd(Conversation& conversation)
{
    while (conversation.active) {
        // After a quit no acknowledgement can be dispatched any more.
        if (Stalled(conversation) || !PumpOneMessage()) {
            EndConversation(conversation, ProgramManagerAnswer::Unfinished);
            return;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, kWakeMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// The program manager may bring its own window forward: the window that was
// active before gets the activation back and is drawn again.
void ReturnActivation(HWND previous)
{
    if (previous == nullptr)
        return;
    SetActiveWindow(previous);
    RedrawWindow(previous, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

ProgramManagerAnswer Converse(const std::vector<Command>& commands, const ProgramManagerPause& pause)
{
    Conversation conversation{commands, pause, nullptr, nullptr, 0, nullptr, false, false, false, 0,
                              ProgramManagerAnswer::Unfinished};
    HWND previous = GetActiveWindow();
    conversation.window = CreateClientWindow(conversation);
    if (conversation.window == nullptr)
        return ProgramManagerAnswer::Unfinished;
    Initiate(conversation);
    AwaitEnd(conversation);
    DestroyWindow(conversation.window);
    ReturnActivation(previous);
    return conversation.answer;
}

}  // namespace

ProgramManagerAnswer CreateProgramManagerGroup(const char* groupName, const std::vector<ProgramItem>& items,
                                               const ProgramManagerPause& pause)
{
    char block[kCommandBlockSize];
    if (!ComposeCreateGroup(block, groupName))
        return ProgramManagerAnswer::Unfinished;
    std::vector<Command> commands = {{block, true}};
    for (const ProgramItem& item : items) {
        char addItem[kCommandBlockSize];
        if (ComposeDeleteItem(block, item.title.c_str()) &&
            ComposeAddItem(addItem, item.path.c_str(), item.title.c_str()))
            commands.insert(commands.end(), {{block, false}, {addItem, true}});
    }
    return Converse(commands, pause);
}

ProgramManagerAnswer DeleteProgramManagerGroup(const char* groupName)
{
    char block[kCommandBlockSize];
    if (!ComposeDeleteGroup(block, groupName))
        return ProgramManagerAnswer::Unfinished;
    return Converse({{block, false}}, [](DWORD) {});
}
