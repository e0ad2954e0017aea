#include <gtest/gtest.h>

#include <windows.h>
#include <dde.h>
#include <ddeml.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "base/program_manager.h"
#include "engine/program_group_deletion.h"
#include "registration/program_group.h"
#include "registration_fixture.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"
#include "test_environment.h"

namespace {

enum class Answering { Acknowledge, Silent, QuitInstead };

// A program manager of the test's own: records every command it receives
// and acknowledges it the way a server does.
struct TestServer {
    std::vector<std::string> log;
    Answering answering = Answering::Acknowledge;
    WORD status = 0x8000;        // the acknowledgement's: done, or refused without the bit
    HWND rogue = nullptr;        // when set, also acknowledges every command from another window
    HWND client = nullptr;       // the window that started the conversation
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
        g_server->client = client;
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
        if (g_server->answering == Answering::QuitInstead)
            PostQuitMessage(0);
        if (g_server->answering == Answering::Acknowledge)
            PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                         ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, g_server->status, commands));
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

// The test's servers live on the client's thread: what the client posted
// them last reaches them once the thread's messages are dispatched.
void ServePostedMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
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

// Records the pauses the step asks for, and waits none of them.
struct PauseRecorder final : InstallView {
    std::vector<DWORD> pauses;
    void ShowTask(int) override {}
    void ShowFile(const char*) override {}
    void ShowBar(int) override {}
    void ShowProgress(bool) override {}
    void EnableCancel(bool) override {}
    void ShowBusy(bool) override {}
    void Pause(DWORD milliseconds, bool) override { pauses.push_back(milliseconds); }
    void ShowListFile(const ListFileContent&) override {}
    void DispatchWaiting() override {}
};

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
        Answering answering;
        std::vector<std::string> expected;
        std::vector<DWORD> pauses;
    };
    const Run runs[] = {
        {"two items", "G", {"A,bin\\a.exe", "B,b.exe"}, Answering::Acknowledge,
         {"[CreateGroup(\"G\")]", "[DeleteItem(\"A\")]", "[AddItem(\"C:\\K\\bin\\a.exe\",\"A\")]",
          "[DeleteItem(\"B\")]", "[AddItem(\"C:\\K\\b.exe\",\"B\")]", "terminate"},
         {500, 400, 400, 400, 300}},
        {"no items, blanks around the name", " \tTools  ", {}, Answering::Acknowledge,
         {"[CreateGroup(\"Tools\")]", "terminate"}, {500, 400, 300}},
        {"items whose commands do not fit are skipped", "G", {longTitle, "A,a.exe", longPath}, Answering::Acknowledge,
         {"[CreateGroup(\"G\")]", "[DeleteItem(\"A\")]", "[AddItem(\"C:\\K\\a.exe\",\"A\")]", "terminate"},
         {500, 400, 400, 300}},
        {"a server that falls silent is given up", "G", {"A,a.exe"}, Answering::Silent,
         {"[CreateGroup(\"G\")]", "terminate"}, {500, 400, 300}},
        // The quit stays for the main loop, which ends the program.
        {"a quit ends the wait", "G", {"A,a.exe"}, Answering::QuitInstead,
         {"[CreateGroup(\"G\")]", "terminate"}, {500, 400, 300}},
        // Without a name the items would land in the program manager's own folder.
        {"a name of blanks makes no group", " \t ", {"A,a.exe"}, Answering::Acknowledge, {}, {500}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.name);
        TestServer server;
        server.answering = run.answering;
        g_server = &server;
        PauseRecorder view;
        DWORD elapsed = 0;
        RunOnOwnDesktop([&] {
            RegistrationFixture fixture;
            HWND window = CreateTestServer();
            PrepareGroup(run.group, run.items, "C:\\K");
            InstallJob& job = RegistrationFixture::Job();
            job.view = &view;
            DWORD start = GetTickCount();
            CreateProgramGroup(job);
            elapsed = GetTickCount() - start;
            MSG quit;
            EXPECT_EQ(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE,
                      run.answering == Answering::QuitInstead);
            ServePostedMessages();
            EXPECT_NE(server.client, g_wizard.mainWindow) << "the conversation has a window of its own";
            EXPECT_FALSE(IsWindow(server.client)) << "and it is gone with the conversation";
            DestroyWindow(window);
        });
        EXPECT_EQ(server.log, run.expected);
        EXPECT_EQ(view.pauses, run.pauses);
        if (run.answering == Answering::QuitInstead)
            EXPECT_LT(elapsed, kConversationStallMilliseconds) << "the quit, not the stall, ended the wait";
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

// The undo and the uninstaller delete a group through the same client, on
// a thread without a message loop of its own.
TEST(ProgramGroup, DeletionSaysWhetherTheServerDidIt)
{
    for (WORD status : {0x8000, 0x0000}) {
        TestServer server;
        server.status = status;
        g_server = &server;
        ProgramManagerAnswer answer = ProgramManagerAnswer::NoServer;
        RunOnOwnDesktop([&] {
            HWND window = CreateTestServer();
            answer = DeleteProgramManagerGroup("G");
            ServePostedMessages();
            DestroyWindow(window);
        });
        EXPECT_EQ(answer, status != 0 ? ProgramManagerAnswer::Accepted : ProgramManagerAnswer::Refused);
        EXPECT_EQ(server.log, (std::vector<std::string>{"[DeleteGroup(\"G\")]", "terminate"}));
    }
}

TEST(ProgramGroup, NothingHappensWithoutTheChoice)
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

// The conversation ends within the unanswered initiate: nothing to wait for.
TEST(ProgramGroup, WithoutAServerTheCallerGoesOn)
{
    RunOnOwnDesktop([] {
        ProgramManagerAnswer answer = DeleteProgramManagerGroup("Instal No Such Group");
        // Wine starts a program manager with every desktop, a new one too;
        // only while none answers is there no server at all.
        if (ProgramManagerAnswers(0))
            GTEST_SKIP() << "the desktop's own program manager answers";
        EXPECT_EQ(answer, ProgramManagerAnswer::NoServer);
    });
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
    EXPECT_EQ(DeleteProgramManagerGroup("Kestrel Tools"), ProgramManagerAnswer::Accepted);
    EXPECT_FALSE(Exists(group));
}

// Where no program manager answers, the group is its folder of links, in the
// programs folder of the install's root, and the removal finds it there.
TEST(ProgramGroup, MadeAsAFolderOfLinksWithoutAProgramManager)
{
    CreateDirectoryA("C:\\Kestrel", nullptr);
    MakeFile("C:\\Kestrel\\notes.txt");
    for (auto [root, programs] : {std::pair{kCurrentUser, CSIDL_PROGRAMS}, std::pair{kLocalMachine, CSIDL_COMMON_PROGRAMS}}) {
        MakeGroupFolder("Kestrel Folder", {{"Notes", "C:\\Kestrel\\notes.txt"}}, root);
        std::string group = ShellFolder(programs) + "\\Kestrel Folder";
        EXPECT_TRUE(Exists(group + "\\Notes.lnk")) << group;
        std::string found;
        ASSERT_TRUE(FindProgramGroupFolder("Kestrel Folder", found));
        RemoveGroupLinks(found, {"Notes"});
        EXPECT_FALSE(Exists(group));
    }
}

}  // namespace
