// The uninstaller's entry: the command line chooses between asking and
// removing, removing for the wizard or a deployment tool, and the work left
// for the next start. Exit codes, in the system installer's convention:
// 0 removed (or the next-start run done), 3010 removed but files go at the
// next start, 1602 declined or cancelled, 1603 no usable record, a removal
// that could not finish or a log that cannot be made, 1639 a command line it
// cannot use. The process ends only when its work is done: nothing is left
// to another process.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/library_search.h"
#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/run_log.h"
#include "forms/form_lifecycle.h"
#include "engine/journal_end.h"
#include "base/system_version.h"
#include "forms/runtime_startup.h"
#include "uninstaller/portable/uninstaller_command.h"
#include "uninstaller/removal.h"
#include "uninstaller/restart_run.h"
#include "uninstaller/system_folders.h"
#include "uninstaller/uninstall_record.h"
#include "uninstaller/uninstall_window.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

// Whole texts: the usage text is longer than a path.
std::string LoadedText(int id)
{
    char text[1024];
    LoadTableString(id, text, sizeof text);
    return text;
}

UINT ShowUsage()
{
    ShowMessage(IDS_U_USAGE, LoadedText(IDS_U_USAGE).c_str(), MB_OK | MB_ICONINFORMATION);
    return kExitBadCommandLine;
}

UINT ShowNoRecord(const char* productKey)
{
    std::string text = LoadedText(IDS_U_NO_RECORD) + " " + productKey + ".\r\n\r\n" + LoadedText(IDS_U_USAGE);
    ShowMessage(IDS_U_NO_RECORD, text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    return kExitFailed;
}

UINT ShowDamagedRecord(const std::string& valueName)
{
    std::string text = LoadedText(IDS_U_DAMAGED_RECORD) + " " + valueName + ".";
    ShowMessage(IDS_U_DAMAGED_RECORD, text.c_str(), MB_OK | MB_ICONHAND);
    return kExitFailed;
}

bool UserConfirms(const UninstallPlan& plan)
{
    std::string text = LoadedText(IDS_U_QUESTION) + " " + plan.name + " " + plan.version + " " +
                       LoadedText(IDS_U_QUESTION_FOLDER) + plan.folder + "?";
    return ShowMessage(IDS_U_QUESTION, text.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool Succeeded(const UninstallPlan& plan, const RemovalOutcome& outcome)
{
    return !outcome.filesLeft && !outcome.recordLeft && plan.skipped.empty();
}

void ShowClosingMessage(const UninstallPlan& plan, const RemovalOutcome& outcome)
{
    bool success = Succeeded(plan, outcome);
    std::string text = success ? plan.name + " " + LoadedText(IDS_U_REMOVED) : LoadedText(IDS_U_NOT_COMPLETED);
    if (outcome.recordLeft)
        text += " " + LoadedText(IDS_U_RECORD_NOT_REMOVED);
    for (const std::string& folder : outcome.keptFolders)
        text += LoadedText(IDS_U_FOLDER_KEPT) + folder;
    if (!plan.skipped.empty()) {
        text += LoadedText(IDS_U_SKIPPED_VALUES);
        for (const std::string& value : plan.skipped)
            text += "\r\n" + value.substr(0, kTextCapacity - 1);
    }
    if (outcome.pendingAtRestart)
        text += LoadedText(IDS_U_REMOVED_AT_RESTART);
    ShowMessage(success ? IDS_U_REMOVED : IDS_U_NOT_COMPLETED, text.c_str(),
                MB_OK | (success ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

void StartFormRuntime()
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();
    StartRuntime(GetModuleHandleA(nullptr), "KSUninst", kUninstallerName, nullptr, 3);
}

// The record goes only when every file is gone or scheduled, so that a
// removal that could not finish can be run again.
RemovalOutcome Remove(const UninstallRecord& record, const UninstallPlan& plan, int osCode)
{
    RemovalOutcome outcome = {};
    RemoveFiles(plan, osCode, &outcome);
    RemoveProgramGroup(plan, record.root);
    RemoveDesktopLink(plan, record.root, osCode);
    RemoveAssociations(plan);
    RemoveFolders(plan, &outcome);
    if (!outcome.filesLeft)
        RemoveRegistryData(record, &outcome);
    return outcome;
}

UINT RunRemoval(const UninstallerCommand& command)
{
    // An install of the product that was interrupted is undone first; when
    // that took its record too, nothing is left to remove.
    // A journal held by a running wizard is that wizard's own removal of an
    // earlier installation: the removal goes on.
    int osCode = SystemOsCode();
    Recovery recovery = RecoverInterruptedInstall(
        command.productKey,
        RecoveryMessages{IDS_U_INSTALL_WAS_INTERRUPTED, IDS_U_CHANGES_LEFT_ALONE, IDS_U_UNDO_WAITS}, osCode);
    if (recovery == Recovery::StillWaiting)
        return kExitFailed;
    bool recovered = recovery == Recovery::Undone;
    UninstallRecord record;
    if (!ReadUninstallRecord(command.productKey, &record))
        return recovered ? kExitDone : ShowNoRecord(command.productKey);
    UninstallPlan plan;
    std::string failedValue;
    switch (PlanUninstall(RecordValues(record), ReadSystemFolders(), &plan, &failedValue)) {
    case PlanResult::NoRecord:
        return ShowNoRecord(command.productKey);
    case PlanResult::BadFolder:
    case PlanResult::BadCount:
        return ShowDamagedRecord(failedValue);
    case PlanResult::Ready:
        break;
    }
    LogLine("Product: " + plan.name + " " + plan.version + " in " + plan.folder);
    bool asking = command.mode == UninstallerMode::Ask;
    if (asking && !UserConfirms(plan))
        return kExitCancelled;
    StartFormRuntime();
    if (command.display != UninstallerDisplay::Nothing)
        OpenUninstallWindow(plan.name.empty() ? command.productKey : plan.name.c_str());
    if (asking && !OfferCancel()) {
        CloseUninstallWindow();
        TearDownRuntime();
        return kExitCancelled;
    }
    BeginRemoval();
    RemovalOutcome outcome = Remove(record, plan, osCode);
    if (asking)
        ShowClosingMessage(plan, outcome);
    CloseUninstallWindow();
    TearDownRuntime();
    if (!Succeeded(plan, outcome))
        return kExitFailed;
    return outcome.pendingAtRestart ? kExitRestartNeeded : kExitDone;
}

// Where a run that nobody watches sends what it would have shown: the
// messages are dropped and the default answer stands.
int NotShown(const char*, UINT)
{
    return IDOK;
}

// A log asked for and not made ends the run before anything changes: a
// tool could not tell what happened.
bool OpenLogIfAsked(const UninstallerCommand& command)
{
    if (!command.logFile || command.mode == UninstallerMode::Invalid)
        return true;
    std::string product = command.productKey;
    if (OpenRunLog(*command.logFile, product + " removal", "KSUninst, the uninstaller of " + product,
                   GetCommandLineA()))
        return true;
    std::string text = command.logFile->substr(0, kTextCapacity - 1) + ": " + LoadedText(IDS_U_LOG_NOT_CREATED);
    ShowMessage(IDS_U_LOG_NOT_CREATED, text.c_str(), MB_OK | MB_ICONHAND);
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictLibrarySearch();
    UninstallerCommand command = ParseUninstallerCommand(GetCommandLineA());
    bool watched = command.display == UninstallerDisplay::Everything;
    SetMessageContext({IDS_U_BOX_CAPTION, IDS_U_CANNOT_CONTINUE, UninstallWindow, nullptr,
                       watched ? nullptr : NotShown, LogMessage});
    if (!OpenLogIfAsked(command))
        ExitProcess(kExitFailed);
    UINT exitCode;
    switch (command.mode) {
    case UninstallerMode::Restart:
        RunRestartWork(command.productKey);
        exitCode = kExitDone;
        break;
    case UninstallerMode::Ask:
    case UninstallerMode::Silent:
        exitCode = RunRemoval(command);
        break;
    default:
        exitCode = ShowUsage();
        break;
    }
    CloseRunLog(exitCode);
    ExitProcess(exitCode);
}
