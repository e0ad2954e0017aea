#include "wizard_session.h"

#include "screenshot.h"
#include "test_environment.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"

namespace {

const char kMainClass[] = "KSRUNWINDOWInstal";

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

struct BoxSearch {
    DWORD processId;
    HWND found;
    bool anyWindow = false;   // any visible top-level window, not only a box
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || !IsWindowVisible(window) || (!search->anyWindow && lstrcmpA(className, "#32770")))
        return TRUE;
    search->found = window;
    return FALSE;
}

std::string WindowText(HWND window)
{
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

BOOL CALLBACK FindBoxText(HWND child, LPARAM parameter)
{
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        return TRUE;
    *reinterpret_cast<std::string*>(parameter) = WindowText(child);
    return FALSE;
}

std::string UniqueFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int counter;
    std::string folder = std::string(temp) + "wizard-run-" + std::to_string(GetCurrentProcessId()) + "-"
                         + std::to_string(++counter);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

WizardSession::WizardSession(const std::string& package) : folder_(UniqueFolder()), mainClass_(kMainClass)
{
    CopyFileA(BuildFile("Instal.exe").c_str(), (folder_ + "\\Instal.exe").c_str(), FALSE);
    if (!package.empty())
        CopyFileA(package.c_str(), (folder_ + "\\_Data.001").c_str(), FALSE);
}

WizardSession::~WizardSession()
{
    if (process_.hProcess != nullptr) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    DeleteFileA((folder_ + "\\Instal.exe").c_str());
    DeleteFileA((folder_ + "\\_Data.001").c_str());
    RemoveDirectoryA(folder_.c_str());
}

bool WizardSession::Start(const std::string& arguments)
{
    std::string program = folder_ + "\\Instal.exe";
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), arguments.empty() ? nullptr : &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder_.c_str(), &startup, &process_) != FALSE;
}

bool WizardSession::StartCommand(const std::string& commandLine, const char* mainClass)
{
    mainClass_ = mainClass;
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)
           != FALSE;
}

HWND WizardSession::FindMainWindow()
{
    main_ = FindWindowA(mainClass_.c_str(), nullptr);
    return main_ != nullptr && IsWindowVisible(main_) ? main_ : nullptr;
}

HWND WizardSession::WaitForMainWindow(DWORD timeout)
{
    WaitUntil([&] { return FindMainWindow() != nullptr; }, timeout);
    return FindMainWindow();
}

HWND WizardSession::Control(int id) const
{
    ControlSearch search = {id, nullptr};
    if (main_ != nullptr)
        EnumChildWindows(main_, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WizardSession::Text(int id) const
{
    return WindowText(Control(id));
}

bool WizardSession::IsShown(int id) const
{
    return IsWindowVisible(Control(id)) != FALSE;
}

bool WizardSession::IsChecked(int id) const
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
    return state == BST_CHECKED;
}

void WizardSession::Click(int id)
{
    PostMessageA(Control(id), BM_CLICK, 0, 0);
}

void WizardSession::Type(int id, const char* text)
{
    SendMessageTimeoutA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
}

bool WizardSession::WaitForText(int id, const std::string& text, DWORD timeout)
{
    return WaitUntil([&] { return Text(id) == text; }, timeout);
}

bool WizardSession::WaitForShown(int id, bool shown, DWORD timeout)
{
    return WaitUntil([&] { return IsShown(id) == shown; }, timeout);
}

MessageBoxSeen WizardSession::WaitForMessageBox(DWORD timeout)
{
    BoxSearch search = {process_.dwProcessId, nullptr};
    WaitUntil([&] {
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeout);
    MessageBoxSeen seen;
    if (search.found == nullptr)
        return seen;
    // The box is found as soon as it exists; its text comes a moment later.
    WaitUntil([&] {
        seen.text.clear();
        EnumChildWindows(search.found, FindBoxText, reinterpret_cast<LPARAM>(&seen.text));
        return IsWindowVisible(search.found) && !seen.text.empty();
    }, timeout);
    seen.box = search.found;
    seen.caption = WindowText(search.found);
    seen.owner = GetWindow(search.found, GW_OWNER);
    return seen;
}

void WizardSession::Answer(const MessageBoxSeen& box, int button)
{
    PostMessageA(box.box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.box, button)));
    WaitUntil([&] { return !IsWindow(box.box); }, 10000);
}

void WizardSession::Kill()
{
    if (process_.hProcess == nullptr)
        return;
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 30000);
}

DWORD WizardSession::WaitForExit(DWORD timeout)
{
    DWORD code = STILL_ACTIVE;
    if (process_.hProcess == nullptr || WaitForSingleObject(process_.hProcess, timeout) != WAIT_OBJECT_0)
        return code;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

DWORD WizardSession::WaitForExitWatchingWindows(bool* windowSeen, DWORD timeout)
{
    BoxSearch search = {process_.dwProcessId, nullptr, true};
    WaitUntil([&] {
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
        return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    }, timeout);
    *windowSeen = search.found != nullptr;
    return WaitForExit(0);
}

void WizardSession::SaveScreenshot(const char* name) const
{
    SaveScreenshot(main_, name);
}

void WizardSession::SaveScreenshot(HWND window, const char* name) const
{
    ::SaveScreenshot(window, name);
}

bool InstallThroughEveryPage(WizardSession& session)
{
    for (int page : {grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
        session.Click(btnNext);
        if (!session.WaitForShown(page, true))
            return false;
    }
    session.Click(btnNext);
    char finish[kTextCapacity];
    LoadTableString(IDS_FINISH, finish);
    if (!session.WaitForText(btnCancel, finish, 120000))
        return false;
    session.Click(btnCancel);
    MessageBoxSeen closing = session.WaitForMessageBox();
    if (closing.box == nullptr)
        return false;
    session.Answer(closing, IDOK);
    return true;
}
