#pragma once
// Drives the real Instal.exe from outside, as a user would: it finds the
// wizard's window, clicks its controls by identifier, types into its fields,
// reads and answers its message boxes and saves screenshots.
#include <windows.h>

#include <string>

struct MessageBoxSeen {
    HWND box = nullptr;
    std::string caption;
    std::string text;
    HWND owner = nullptr;
};

class WizardSession {
public:
    // Copies Instal.exe and the given package (or none) into a fresh folder.
    explicit WizardSession(const std::string& package);
    ~WizardSession();
    WizardSession(const WizardSession&) = delete;
    WizardSession& operator=(const WizardSession&) = delete;

    // Starts the copied wizard, with the arguments after its quoted path;
    // without arguments, as the system starts a program by its path alone.
    bool Start(const std::string& arguments = "");
    // Starts another program with the command line as the system does (no
    // application name, no working folder); its window of the class then
    // stands for the main window.
    bool StartCommand(const std::string& commandLine, const char* mainClass);
    // Looks once for the wizard's main window; nullptr while it is not visible.
    HWND FindMainWindow();
    // The wizard's main window once it is visible, or nullptr after the timeout.
    HWND WaitForMainWindow(DWORD timeout = 30000);
    HWND Control(int id) const;
    std::string Text(int id) const;
    bool IsShown(int id) const;
    bool IsChecked(int id) const;
    void Click(int id);
    void Type(int id, const char* text);
    // Waits until the control shows the text; false after the timeout.
    bool WaitForText(int id, const std::string& text, DWORD timeout = 30000);
    // Waits for the control to become visible (or hidden).
    bool WaitForShown(int id, bool shown, DWORD timeout = 30000);

    // The next message box of the wizard's process, or an empty record.
    MessageBoxSeen WaitForMessageBox(DWORD timeout = 30000);
    void Answer(const MessageBoxSeen& box, int button);

    // Ends the process at once, as a crash or the task manager would, and
    // waits until it is gone.
    void Kill();
    // The process's exit code once it has ended, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD timeout = 60000);
    // The same, looking at every poll for a visible top-level window of the process.
    DWORD WaitForExitWatchingWindows(bool* windowSeen, DWORD timeout = 60000);
    void SaveScreenshot(const char* name) const;
    void SaveScreenshot(HWND window, const char* name) const;

    const std::string& folder() const { return folder_; }
    DWORD processId() const { return process_.dwProcessId; }
    HWND main() const { return main_; }

private:
    std::string folder_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;
    std::string mainClass_;
};

// From the welcome page through every page and Install to the finish page,
// then Finish and its closing message answered; false when a step did not
// come. The wizard's exit code is the caller's to check.
bool InstallThroughEveryPage(WizardSession& session);

// Polls the condition every 50 ms until it holds or the timeout passes.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(50);
    }
    return true;
}
