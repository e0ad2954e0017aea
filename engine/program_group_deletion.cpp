#include "engine/program_group_deletion.h"

#include <windows.h>
#include <ddeml.h>

#include <cstring>

#include "registration/portable/dde_commands.h"

namespace {

const char kServer[] = "PROGMAN";
constexpr DWORD kAnswerTimeout = 10000;

// A client that only sends commands has no transactions of its own to serve.
HDDEDATA CALLBACK IgnoreTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

bool Execute(DWORD instance, const char* command)
{
    HSZ service = DdeCreateStringHandleA(instance, kServer, CP_WINANSI);
    HCONV conversation = DdeConnect(instance, service, service, nullptr);
    bool done = false;
    if (conversation != nullptr) {
        DWORD result = 0;
        HDDEDATA answer = DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)),
                                               static_cast<DWORD>(std::strlen(command) + 1), conversation, nullptr,
                                               0, XTYP_EXECUTE, kAnswerTimeout, &result);
        done = answer != nullptr;
        DdeDisconnect(conversation);
    }
    DdeFreeStringHandle(instance, service);
    return done;
}

}  // namespace

bool DeleteProgramGroup(const char* groupName)
{
    char command[kCommandBlockSize];
    if (!ComposeDeleteGroup(command, groupName))
        return false;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, IgnoreTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    bool done = Execute(instance, command);
    DdeUninitialize(instance);
    return done;
}
