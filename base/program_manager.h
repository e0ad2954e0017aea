#pragma once
// The program manager's client: a DDE conversation with the "PROGMAN"
// server, held on a hidden window of its own that lives only as long as the
// conversation. The calling thread's messages are handled while it waits,
// so it needs no message loop of the caller's.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Without an acknowledgement for this long the server is taken for gone:
// the conversation ends and the caller goes on.
constexpr DWORD kConversationStallMilliseconds = 10000;

// How a conversation ended.
enum class ProgramManagerAnswer {
    NoServer,   // nobody answered the initiate
    Accepted,   // every command was acknowledged as done
    Refused,    // the server answered every command, refusing one at least
    Unfinished, // the server fell silent, a command could not be sent, or a quit ended the wait
};

// A program of the group: its title and the full path it starts.
struct ProgramItem {
    std::string title;
    std::string path;
};

// The caller's way of pausing between two commands: the wizard's lets its
// window live meanwhile.
using ProgramManagerPause = std::function<void(DWORD milliseconds)>;

// [CreateGroup(name)], then [DeleteItem(title)] [AddItem(path,title)] per
// item; an item whose commands do not fit their blocks is skipped whole.
// Each CreateGroup and AddItem is followed by a pause.
ProgramManagerAnswer CreateProgramManagerGroup(const char* groupName, const std::vector<ProgramItem>& items,
                                               const ProgramManagerPause& pause);

// [DeleteGroup(name)]. Anything but Accepted leaves the group's folder to
// the caller.
ProgramManagerAnswer DeleteProgramManagerGroup(const char* groupName);
