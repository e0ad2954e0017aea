#include "wizard/install_driver.h"

#include <windows.h>

#include "base/file_presence.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/run_log.h"
#include "base/waiting.h"
#include "engine/copy_files.h"
#include "engine/destinations.h"
#include "engine/portable/install_model.h"
#include "engine/journal_end.h"
#include "engine/rollback.h"
#include "engine/short_path.h"
#include "registration/desktop_shortcut.h"
#include "registration/program_group.h"
#include "registration/restart_record.h"
#include "registration/settings_and_uninstall.h"
#include "wizard/completion.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/form_install_view.h"
#include "wizard/main_template.h"
#include "wizard/install_log.h"
#include "wizard/wizard_state.h"

namespace {

void ShowStatus(int stringId)
{
    ShowTableText(stcCurrentTask, stringId);
}

// A program of the Windows directory in short form.
void WindowsProgram(char* program, const char* name)
{
    GetWindowsDirectoryA(program, static_cast<UINT>(kTextCapacity));
    JoinPath(program, name);
    ToShortForm(program);
}

// Starts a viewer on a file without waiting for it; false when it could not start.
bool StartViewer(const char* program, const char* file)
{
    char shortFile[kTextCapacity];
    CopyText(shortFile, file);
    ToShortForm(shortFile);
    char commandLine[kTextCapacity] = " ";
    AppendText(commandLine, shortFile);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void OpenHelpFile(const char* help)
{
    if (help[0] == '\0')
        return;
    ShowStatus(IDS_OPENING_HELP);
    WaitMilliseconds(1000, true);
    char program[kTextCapacity];
    WindowsProgram(program, "hh.exe");
    if (PathExists(help) && StartViewer(program, help)) {
        ShowWindow(g_wizard.mainWindow, SW_HIDE);
        WaitMilliseconds(1000, true);
    }
}

void OpenReadme(const char* destination)
{
    char program[kTextCapacity];
    char readme[kTextCapacity];
    char name[kTextCapacity];
    WindowsProgram(program, "NOTEPAD.EXE");
    CopyText(readme, destination);
    ToShortForm(readme);
    LoadTableString(IDS_README_NAME, name);
    JoinPath(readme, name);
    if (PathExists(readme) && StartViewer(program, readme))
        WaitMilliseconds(1000, true);
}

}  // namespace

void FillInstallJob(InstallJob& job)
{
    job.model = &g_wizard.model;
    job.choices = g_wizard.choices;
    CopyText(job.tempFolder, g_wizard.unpacking.tempFolder);
    CopyText(job.helpLink, kWebAddress);
    job.installRoot = g_wizard.installRoot;
    job.osCode = g_wizard.osCode;
    job.view = &FormInstallView();
    job.cancel = &g_wizard.cancel;
}

int RunInstall(InstallJob& job)
{
    InstallView& view = *job.view;
    view.ShowBusy(true);
    if (!CheckDiskSpace(job))
        return 0;
    view.Pause(500, true);
    if (!PrepareDestinations(job))
        return 0;
    view.Pause(500, true);
    if (*job.cancel) {
        RollBack(job);
        return 0;
    }
    view.ShowTask(IDS_COPYING_FILES);
    ShowControl(prbPerCent, true);
    view.ShowBusy(false);

    bool copied = CopyFiles(job) != 0;
    LogFileDecisions(job);
    if (!copied || *job.cancel)
        return 0;
    view.Pause(600, true);
    UpdateRegistry(job);
    CreateProgramGroup(job);
    view.Pause(500, true);
    CreateDesktopShortcut(job);
    WriteRestartData(job);
    LogChanges(job.journal);
    LogShellEntries(job);
    if (job.restartNeeded)
        LogLine("A restart is needed: files in use are replaced at the next start.");
    CompleteJournal(job.journal);
    NotifyShellAndRepaintDesktop();
    return 1;
}

void OpenHelpAndReadme(const InstallJob& job)
{
    OpenHelpFile(job.helpFile);
    if (job.model->systemInstall == 0)
        OpenReadme(job.choices.destination);
}
