#include "registration/settings_and_uninstall.h"

#include <windows.h>
#include <ole2.h>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/copy_progress.h"
#include "engine/portable/install_model.h"
#include "engine/journaled_changes.h"
#include "engine/path_macros.h"
#include "engine/portable/file_line.h"
#include "engine/portable/list_file.h"
#include "engine/self_registration.h"
#include "engine/shared_library_count.h"
#include "engine/short_path.h"
#include "registration/associations.h"
#include "registration/portable/number_text.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstall_record.h"
#include "registration/portable/uninstaller_contract.h"
#include "resources/string_ids.h"

namespace {

// The job, its keys and the progress shared by the step's parts.
struct RegistryStep {
    InstallJob& job;
    RootCode root;
    char productKey[kTextCapacity];
    char recordKey[kTextCapacity];
    DWORD done;
    DWORD total;
};

DWORD LineCount(const std::vector<std::string>& lines)
{
    return static_cast<DWORD>(lines.size());
}

void Advance(RegistryStep& step)
{
    ++step.done;
    ShowCopyProgress(*step.job.view, step.done, step.total, true);
}

void WriteCountedValue(const RegistryStep& step, const char* key, const char* stem, int n, const char* text)
{
    char name[kTextCapacity];
    char number[36];
    NumberToText(n, number, 1);
    CopyText(name, stem);
    AppendText(name, number);
    WriteJournaledString(step.job.journal, step.root, key, name, text);
}

void WriteNumber(const RegistryStep& step, const char* key, const char* name, int value)
{
    char number[36];
    NumberToText(value, number, 1);
    WriteJournaledString(step.job.journal, step.root, key, name, number);
}

void WriteInformationLine(const RegistryStep& step, const char* key, const char* name, InformationLine line)
{
    char text[kTextCapacity];
    GetInformationLine(*step.job.model, line, text);
    WriteJournaledString(step.job.journal, step.root, key, name, text);
}

void BeginStep(InstallView& view)
{
    view.ShowBar(0);
    view.EnableCancel(false);
    view.ShowTask(IDS_UPDATING_REGISTRY);
    char text[kTextCapacity];
    LoadTableString(IDS_WRITING_VALUES, text);
    view.ShowFile(text);
}

void WriteToolsetSetting(const RegistryStep& step)
{
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, step.productKey, "", "Settings");
    WriteJournaledString(step.job.journal, step.root, key, "Basalt", step.job.choices.basalt ? "1" : "0");
}

void WriteRegistryList(RegistryStep& step)
{
    for (const std::string& line : step.job.model->registry) {
        RegistryLine parsed;
        RootCode root = ParseRegistryLine(line.c_str(), step.job.choices.destination, parsed);
        if (root != 0) {
            if (root == kLocalMachine)
                root = step.root;
            WriteJournaledString(step.job.journal, root, parsed.key, parsed.valueName, parsed.data);
        }
        Advance(step);
    }
}

// Whether the copy step put the line's target in place: a library it kept
// belongs to whoever installed it, and so does its registration.
bool PlacedByThisRun(const InstallJob& job, const char* line)
{
    FileLineFields fields;
    SplitFileLine(line, fields);
    char target[kTextCapacity];
    CopyText(target, fields.folder);
    JoinPath(target, fields.name);
    return HoldsLine(job.placedFiles, target);
}

// Only the registration of the run's own library is noted for an undo; the
// shared count is raised by one, and an undo lowers it by one.
void RegisterLibrary(InstallJob& job, bool placed, const char* fullPath)
{
    if (!placed || NoteRegistration(job.journal, fullPath))
        SelfRegister(fullPath);
    if (NoteSharedCount(job.journal, kLocalMachine, kSharedDllsKey, fullPath))
        AddSharedLibraryReference(fullPath);
}

// A library the line asks to register is registered; a file the line asks
// to record is counted into the uninstaller's record.
void RegisterAndRecordFiles(RegistryStep& step)
{
    char prefix[kTextCapacity];
    CopyText(prefix, step.job.choices.destination);
    ToShortForm(prefix);
    JoinPath(prefix, nullptr);

    OleInitialize(nullptr);
    int n = 0;
    for (const std::string& recorded : step.job.recordedFiles) {
        char line[kTextCapacity];
        char folder[kTextCapacity];
        char name[kTextCapacity];
        char fullPath[kTextCapacity];
        CopyText(line, recorded.c_str());
        FileFlags flags = ReadFileFlags(line);
        bool placed = PlacedByThisRun(step.job, line);
        SplitFirstField(line, folder);
        SplitFirstField(line, name);
        CopyText(fullPath, folder);
        ToShortForm(fullPath);
        JoinPath(fullPath, name);
        if (flags.registerFlag != 0)
            RegisterLibrary(step.job, placed, fullPath);
        if (flags.record != 0) {
            char record[kTextCapacity];
            ComposeFileRecord(record, sizeof record, RecordedFilePath(fullPath, prefix), flags.registerCharacter);
            WriteCountedValue(step, step.recordKey, "File", ++n, record);
        }
        Advance(step);
    }
    WriteNumber(step, step.recordKey, "Files", n);
    OleUninitialize();
}

void WriteProgramGroupRecord(RegistryStep& step)
{
    WriteJournaledString(step.job.journal, step.root, step.recordKey, "Group", step.job.choices.groupName);
    const std::vector<std::string>& items = step.job.model->groupItems;
    int k = 0;
    for (const std::string& line : items) {
        WriteCountedValue(step, step.recordKey, "Item", ++k, line.c_str());
        Advance(step);
    }
    WriteNumber(step, step.recordKey, "Items", k);
}

void WriteProductAndUser(const RegistryStep& step)
{
    WriteInformationLine(step, step.recordKey, "Language", InfoLanguage);
    WriteJournaledString(step.job.journal, step.root, step.recordKey, "Path", step.job.choices.destination);
    WriteInformationLine(step, step.recordKey, "Version", InfoVersion);
    WriteInformationLine(step, step.recordKey, "Name", InfoProductName);

    char userKey[kTextCapacity];
    ProductRecordKey(userKey, sizeof userKey, step.productKey, "", "User");
    WriteJournaledString(step.job.journal, step.root, userKey, "Name", step.job.choices.userName);
    WriteJournaledString(step.job.journal, step.root, userKey, "Organization", step.job.choices.organization);
}

// What the system's programs list shows besides the name: the icon, the
// size, the folder, the date, and that the wizard offers no change or repair.
void WriteProgramsListDetails(const RegistryStep& step, const char* key)
{
    RootCode root = step.root;
    InstallJob& job = step.job;
    char text[kTextCapacity];
    GetInformationLine(*job.model, InfoShortcutTarget, text);
    if (text[0] != '\0' && ExpandPathMacro(text, job.choices.destination)) {
        char icon[kTextCapacity];
        ComposeDisplayIcon(icon, text);
        WriteJournaledString(step.job.journal, root, key, "DisplayIcon", icon);
    }
    WriteJournaledNumber(step.job.journal, root, key, "EstimatedSize", static_cast<DWORD>((job.installedBytes + 1023) / 1024));
    WriteJournaledString(step.job.journal, root, key, "InstallLocation", job.choices.destination);
    SYSTEMTIME today;
    GetLocalTime(&today);
    ComposeInstallDate(text, today.wYear, today.wMonth, today.wDay);
    WriteJournaledString(step.job.journal, root, key, "InstallDate", text);
    WriteJournaledNumber(step.job.journal, root, key, "NoModify", 1);
    WriteJournaledNumber(step.job.journal, root, key, "NoRepair", 1);
    WriteJournaledString(step.job.journal, root, key, "URLInfoAbout", job.helpLink);
}

void WriteSystemUninstallEntry(const RegistryStep& step)
{
    RootCode root = step.root;
    char key[kTextCapacity];
    char windows[kTextCapacity];
    char command[kTextCapacity];
    ComposeSystemUninstallKey(key, step.productKey);
    WriteInformationLine(step, key, "DisplayName", InfoUninstallName);
    WriteInformationLine(step, key, "DisplayVersion", InfoVersion);
    WriteJournaledString(step.job.journal, root, key, "HelpLink", step.job.helpLink);
    WriteJournaledString(step.job.journal, root, key, "Publisher", "Tallwood");
    GetWindowsDirectoryA(windows, static_cast<UINT>(kTextCapacity));
    ComposeUninstallString(command, windows, step.productKey);
    WriteJournaledString(step.job.journal, root, key, "UninstallString", command);
    ComposeQuietUninstallString(command, windows, step.productKey);
    WriteJournaledString(step.job.journal, root, key, "QuietUninstallString", command);
    WriteProgramsListDetails(step, key);
}

}  // namespace

RootCode ParseRegistryLine(const char* line, const char* destination, RegistryLine& parsed)
{
    if (!SplitRegistryLine(line, parsed) || !ExpandPathMacro(parsed.data, destination))
        return 0;
    return static_cast<RootCode>(parsed.root);
}

void UpdateRegistry(InstallJob& job)
{
    BeginStep(*job.view);
    const InstallModel& model = *job.model;
    RegistryStep step = {job, job.installRoot, {}, {}, 0, 0};
    GetInformationLine(model, InfoProductKey, step.productKey);
    ProductRecordKey(step.recordKey, sizeof step.recordKey, step.productKey, "", "Uninstall");

    if (model.setupKind != SetupKindWithoutToolset)
        WriteToolsetSetting(step);
    step.total = LineCount(model.registry) + LineCount(job.recordedFiles) + LineCount(model.groupItems);
    WriteRegistryList(step);
    WriteInformationLine(step, step.recordKey, "Control", InfoSystemInstall);
    RegisterAndRecordFiles(step);
    if (job.choices.programGroup)
        WriteProgramGroupRecord(step);
    WriteProductAndUser(step);
    WriteSystemUninstallEntry(step);
    if (model.setupKind != SetupKindWithoutOptions)
        WriteAssociations(job);

    job.view->Pause(600, true);
    job.view->ShowProgress(false);
}
