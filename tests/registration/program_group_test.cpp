#include <gtest/gtest.h>

#include <windows.h>
#include <dde.h>
#include <ddeml.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "registration/program_group.h"
#include "registration_fixture.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"
#include "test_environment.h"

namespace {

// A program manager of the test's own: records every command it receives
// and acknowledges it the way a server does.
struct TestServer {
    std::vector<std::string> log;
    bool acknowledgeCommands = true;
    HWND rogue = nullptr;        // when set, also acknowledges every command from another window
};

TestServer* g_server;

LRESULT CALLBACK TestServerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND client = reinterpret_cast<HWND>(wParam);
    switch (message) {
    case WM_DDE_INITIATE: {
        char application[64] = "";
        char topic[64] = "";
        GlobalGetAtomNameA(LOWORD(lParam), application, sizeof application);
        GlobalGetAtomNameA(HIWORD(lParam), topic, sizeof topic);
        if (lstrcmpiA(application, "PROGMAN") != 0 || lstrcmpiA(topic, "PROGMAN") != 0)
            return 0;
        SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(GlobalAddAtomA("PROGMAN"), GlobalAddAtomA("PROGMAN")));
        return 0;
    }
    case WM_DDE_EXECUTE: {
        UINT_PTR unused;
        UINT_PTR commands;
        UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &commands);
        HGLOBAL block = reinterpret_cast<HGLOBAL>(commands);
        g_server->log.push_back(static_cast<const char*>(GlobalLock(block)));
        GlobalUnlock(block);
        if (g_server->rogue != nullptr)
            SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(g_server->rogue),
                         PackDDElParam(WM_DDE_ACK, 0x8000, commands));
        if (g_server->acknowledgeCommands)
            PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                         ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, 0x8000, commands));
        return 0;
    }
    case WM_DDE_TERMINATE:
        g_server->log.push_back(window == g_server->rogue ? "terminate second" : "terminate");
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTestServer()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestServerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "InstalTestProgramManager";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

struct DesktopWork {
    const std::function<void()>* body;
    HDESK desktop;
};

DWORD WINAPI RunOnDesktopThread(void* parameter)
{
    auto* work = static_cast<DesktopWork*>(parameter);
    if (!SetThreadDesktop(work->desktop))
        return 1;
    (*work->body)();
    return 0;
}

// Runs the body on a thread of a desktop of its own, where a broadcast
// reaches only the windows that the body creates, not the system's own
// program manager.
void RunOnOwnDesktop(const std::function<void()>& body)
{
    DesktopWork work = {&body, CreateDesktopA("InstalGroupTests", nullptr, nullptr, 0, GENERIC_ALL, nullptr)};
    ASSERT_NE(work.desktop, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, RunOnDesktopThread, &work, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    CloseDesktop(work.desktop);
    EXPECT_EQ(code, 0u) << "the thread could not move to its own desktop";
}

void PrepareGroup(const char* name, const std::vector<std::string>& items, const char* destination)
{
    g_wizard.model.groupItems = items;
    CopyText(g_wizard.choices.destination, destination);
    CopyText(g_wizard.choices.groupName, name);
    g_wizard.choices.programGroup = true;
}

void MakeFile(const char* path)
{
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// The commands one server receives, as the conversation goes.
TEST(ProgramGroup, CommandSequencesAsTheServerReceivesThem)
{
    const std::string longTitle = std::string(240, 't') + ",x.exe";
    const std::string longPath = "P," + std::string(240, 'p') + ".exe";
    struct Run {
        const char* name;
        const char* group;
        std::vector<std::string> items;
        bool acknowledge;
        std::vector<std::string> expected;
    };
    const Run runs[] = {
        {"two items", "G", {"A,bin\\a.exe", "B,b.exe"}, true,
         {"[CreateGroup(\"G\")]", "[DeleteItem(\"A\")]", "[AddItem(\"C:\\K\\bin\\a.exe\",\"A\")]",
          "[DeleteItem(\"B\")]", "[AddItem(\"C:\\K\\b.exe\",\"B\")]", "terminate"}},
        {"no items, blanks around the name", " \tTools  ", {}, true, {"[CreateGroup(\"Tools\")]", "terminate"}},
        {"items whose commands do not fit are skipped", "G", {longTitle, "A,a.exe", longPath}, true,
         {"[CreateGroup(\"G\")]", "[DeleteItem(\"A\")]", "[AddItem(\"C:\\K\\a.exe\",\"A\")]", "terminate"}},
        {"a server that falls silent is given up", "G", {"A,a.exe"}, false, {"[CreateGroup(\"G\")]", "terminate"}},
        // Without a name the items would land in the program manager's own folder.
        {"a name of blanks makes no group", " \t ", {"A,a.exe"}, true, {}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.name);
        TestServer server;
        server.acknowledgeCommands = run.acknowledge;
        g_server = &server;
        RunOnOwnDesktop([&] {
            RegistrationFixture fixture;
            HWND window = CreateTestServer();
            PrepareGroup(run.group, run.items, "C:\\K");
            CreateProgramGroup(RegistrationFixture::Job());
            EXPECT_EQ(g_wizard.job.createGroup, 1) << "set again for a later run";
            EXPECT_FALSE(HandleProgramGroupMessage(g_wizard.mainWindow, WM_DDE_ACK, reinterpret_cast<WPARAM>(window), 0))
                << "the conversation is over";
            DestroyWindow(window);
        });
        EXPECT_EQ(server.log, run.expected);
    }
}

TEST(ProgramGroup, OnlyTheFirstServerIsHeard)
{
    TestServer server;
    g_server = &server;
    RunOnOwnDesktop([&] {
        RegistrationFixture fixture;
        HWND second = CreateTestServer();
        HWND first = CreateTestServer();   // created last, so it is first in the broadcast
        server.rogue = second;
        PrepareGroup("G", {"A,a.exe"}, "C:\\K");
        CreateProgramGroup(RegistrationFixture::Job());
        DestroyWindow(first);
        DestroyWindow(second);
    });
    // The first server's command is posted before the second is sent away.
    const std::vector<std::string> expected = {
        "[CreateGroup(\"G\")]",
        "terminate second",
        "[DeleteItem(\"A\")]",
        "[AddItem(\"C:\\K\\a.exe\",\"A\")]",
        "terminate",
    };
    EXPECT_EQ(server.log, expected);
}

// The create-group flag as the start message leaves it, and whether any
// program manager answered the initiate.
WNDPROC g_mainProc;
int g_flagAfterStart = -1;
bool g_answered;

LRESULT CALLBACK WatchStartMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DDE_ACK)
        g_answered = true;
    LRESULT result = CallWindowProcA(g_mainProc, window, message, wParam, lParam);
    if (message == kStartGroupMessage)
        g_flagAfterStart = g_wizard.job.createGroup;
    return result;
}

TEST(ProgramGroup, WithoutAServerTheInstallGoesOn)
{
    RunOnOwnDesktop([] {
        RegistrationFixture fixture;
        PrepareGroup("G", {"A,a.exe"}, "C:\\K");
        g_flagAfterStart = -1;
        g_answered = false;
        g_mainProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            g_wizard.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchStartMessage)));
        CreateProgramGroup(RegistrationFixture::Job());
        EXPECT_EQ(g_wizard.job.createGroup, 1);
        // Wine starts a program manager with every desktop, a new one too;
        // only when none has answered yet is there no server at all.
        if (g_answered)
            GTEST_SKIP() << "the desktop's own program manager answered";
        EXPECT_EQ(g_flagAfterStart, 0) << "the conversation ended within the unanswered initiate: nothing to wait for";
    });
}

TEST(ProgramGroup, NothingHappensWithoutTheFlag)
{
    TestServer server;
    g_server = &server;
    RunOnOwnDesktop([&] {
        RegistrationFixture fixture;
        HWND window = CreateTestServer();
        PrepareGroup("G", {"A,a.exe"}, "C:\\K");
        SetControlText(stcCurrentTask, "before");
        g_wizard.choices.programGroup = false;
        CreateProgramGroup(RegistrationFixture::Job());
        char status[64];
        GetWindowTextA(ControlWindow(stcCurrentTask), status, sizeof status);
        EXPECT_STREQ(status, "before") << "no status text";
        EXPECT_EQ(g_wizard.job.createGroup, 0);
        DestroyWindow(window);
    });
    EXPECT_TRUE(server.log.empty());
}

HDDEDATA CALLBACK NoTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return nullptr;
}

// Wine's program manager starts with the prefix's desktop process, which a
// loaded machine may not have finished starting.
bool ProgramManagerAnswers(DWORD timeout)
{
    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoTransactions, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    DWORD start = GetTickCount();
    HCONV conversation = nullptr;
    while ((conversation = DdeConnect(instance, service, service, nullptr)) == nullptr
           && GetTickCount() - start < timeout)
        Sleep(100);
    if (conversation != nullptr)
        DdeDisconnect(conversation);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return conversation != nullptr;
}

TEST(ProgramGroup, MadeByTheSystemProgramManager)
{
    ASSERT_TRUE(ProgramManagerAnswers(30000));
    RegistrationFixture fixture;
    CreateDirectoryA("C:\\Kestrel", nullptr);
    CreateDirectoryA("C:\\Kestrel\\bin", nullptr);
    MakeFile("C:\\Kestrel\\bin\\ed.exe");
    MakeFile("C:\\Kestrel\\notes.txt");
    PrepareGroup("  Kestrel Tools ", {"Editor,bin\\ed.exe", "Notes,notes.txt"}, "C:\\Kestrel");
    CreateProgramGroup(RegistrationFixture::Job());

    std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\Kestrel Tools";
    EXPECT_TRUE(Exists(group)) << group;
    EXPECT_TRUE(Exists(group + "\\Editor.lnk"));
    EXPECT_TRUE(Exists(group + "\\Notes.lnk"));
    EXPECT_EQ(g_wizard.job.createGroup, 1);
}

}  // namespace
