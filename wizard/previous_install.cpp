#include "wizard/previous_install.h"

#include <windows.h>

#include "base/messages.h"
#include "base/portable/characters.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/portable/install_model.h"
#include "engine/portable/list_file.h"
#include "registration/portable/product_keys.h"
#include "base/registry.h"
#include "engine/journaled_changes.h"
#include "resources/string_ids.h"
#include "wizard/portable/wizard_texts.h"
#include "wizard/wizard_state.h"

namespace {

// The main window class of the installed product while it runs.
const char kRunningProductClass[] = "KSRUNMDIWINDOWKestrel";

constexpr std::size_t kMessageCapacity = 520;
const char* const kSuffixes[] = {"", "E", "Ev"};

// Reads one value of the uninstall record under a suffix; empty when it
// cannot be read.
void ReadUninstallValue(const char* productKey, const char* suffix, const char* name, char* value)
{
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, productKey, suffix, "Uninstall");
    value[0] = '\0';
    ReadRegValue(g_wizard.installRoot, key, name, value);
}

// The suffix under which the installed copy is recorded, or nullptr.
const char* FindInstalledSuffix(const char* productName, const char* productKey)
{
    char name[kTextCapacity];
    ReadUninstallValue(productKey, kSuffixes[0], "Name", name);
    if (!EqualNoCase(name, productName))
        RemoveFirstSpace(name);
    if (name[0] != '\0' && EqualNoCase(name, productName))
        return kSuffixes[0];
    for (const char* suffix : {kSuffixes[1], kSuffixes[2]}) {
        ReadUninstallValue(productKey, suffix, "Name", name);
        if (name[0] != '\0' && EqualNoCase(name, productKey))
            return suffix;
    }
    return nullptr;
}

void DeleteStaleRecord(const char* productKey, const char* suffix)
{
    char key[kTextCapacity];
    // Journaled: a user who cancels the install afterwards gets it back.
    ProductRecordKey(key, sizeof key, productKey, "", nullptr);
    DeleteJournaledTree(g_wizard.job.journal, g_wizard.installRoot, key);
    if (suffix[0] != '\0') {
        // The suffixed record would otherwise be found again on every run.
        ProductRecordKey(key, sizeof key, productKey, suffix, nullptr);
        DeleteJournaledTree(g_wizard.job.journal, g_wizard.installRoot, key);
    }
}

void BringMainWindowForward()
{
    HWND main = g_wizard.mainWindow;
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    SetActiveWindow(main);
    SetFocus(main);
}

// Runs the uninstaller and waits for it while the window stays alive; the
// wait sleeps until the process ends or a message arrives.
bool RunUninstaller(const char* productKey, const char* suffix, DWORD& exitCode)
{
    char program[kTextCapacity];
    GetWindowsDirectoryA(program, sizeof program);
    JoinPath(program, kUninstallerName);
    GetShortPathNameA(program, program, sizeof program);

    char commandLine[kTextCapacity] = " /S ";
    AppendText(commandLine, productKey);
    AppendText(commandLine, suffix);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                        &process))
        return false;
    bool dispatch = true;
    while (dispatch && MsgWaitForMultipleObjectsEx(1, &process.hProcess, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE)
                           != WAIT_OBJECT_0)
        dispatch = PumpOneMessage();
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool ProductIsRunning()
{
    return g_wizard.model.setupKind != SetupKindWithoutOptions
           && FindWindowExA(nullptr, nullptr, kRunningProductClass, nullptr) != nullptr;
}

int CheckPreviousInstall()
{
    char productName[kTextCapacity];
    char productKey[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoProductName, productName);
    GetInformationLine(g_wizard.model, InfoProductKey, productKey);
    const char* suffix = FindInstalledSuffix(productName, productKey);
    if (suffix == nullptr)
        return 1;

    char name[kTextCapacity], version[kTextCapacity], language[kTextCapacity], path[kTextCapacity];
    ReadUninstallValue(productKey, suffix, "Name", name);
    ReadUninstallValue(productKey, suffix, "Version", version);
    ReadUninstallValue(productKey, suffix, "Language", language);
    ReadUninstallValue(productKey, suffix, "Path", path);
    char detected[kTextCapacity], isInstalled[kTextCapacity];
    LoadTableString(IDS_INSTALLED_FOUND, detected);
    LoadTableString(IDS_INSTALLED_IN_FOLDER, isInstalled);
    char* message = static_cast<char*>(GlobalAlloc(GPTR, kMessageCapacity));
    if (message == nullptr)
        return 1;
    ComposeInstalledText(message, kMessageCapacity, detected, isInstalled, {name, version, language, path});

    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        GlobalFree(message);
        DeleteStaleRecord(productKey, suffix);
        return 1;
    }

    char question[kTextCapacity], thisVersion[kTextCapacity], thisLanguage[kTextCapacity];
    LoadTableString(IDS_UNINSTALL_TO_INSTALL, question);
    GetInformationLine(g_wizard.model, InfoVersion, thisVersion);
    GetInformationLine(g_wizard.model, InfoLanguage, thisLanguage);
    AppendRemovalQuestion(message, kMessageCapacity, question, productName, thisVersion, thisLanguage);
    int answer = ShowMessage(IDS_UNINSTALL_TO_INSTALL, message, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    GlobalFree(message);
    if (answer != IDYES)
        return 0;

    BringMainWindowForward();
    ShowWindow(g_wizard.mainWindow, SW_HIDE);
    DWORD exitCode = 0;
    // Files that go at the next start do not stop the install.
    if (RunUninstaller(productKey, suffix, exitCode) && exitCode != kExitDone && exitCode != kExitRestartNeeded)
        return 0;
    ShowWindow(g_wizard.mainWindow, SW_SHOWNORMAL);
    BringMainWindowForward();
    return 1;
}
