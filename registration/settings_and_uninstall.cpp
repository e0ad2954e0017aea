#include "registration/settings_and_uninstall.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/copy_progress.h"
#include "engine/install_model.h"
#include "engine/path_macros.h"
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
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

// Keys and progress shared by the step's parts.
struct RegistryStep {
    char productKey[kTextCapacity];
    char recordKey[kTextCapacity];
    char destination[kTextCapacity];
    DWORD done;
    DWORD total;
};

int LineCount(StringList list)
{
    return static_cast<int>(StringListSize(list));
}

void Advance(RegistryStep& step)
{
    ++step.done;
    ShowCopyProgress(step.done, step.total, true);
}

void WriteCountedValue(const char* key, const char* stem, int n, const char* text)
{
    char name[kTextCapacity];
    char number[36];
    NumberToText(n, number, 1);
    CopyText(name, stem);
    AppendText(name, number);
    WriteRegString(g_wizard.installRoot, key, name, text);
}

void WriteNumber(const char* key, const char* name, int value)
{
    char number[36];
    NumberToText(value, number, 1);
    WriteRegString(g_wizard.installRoot, key, name, number);
}

void WriteInformationLine(RootCode root, const char* key, const char* name, InformationLine line)
{
    char text[kTextCapacity];
    GetInformationLine(line, text);
    WriteRegString(root, key, name, text);
}

void WriteControlText(const char* key, const char* name, int control)
{
    char text[kTextCapacity];
    GetControlText(control, text);
    WriteRegString(g_wizard.installRoot, key, name, text);
}

void BeginStep()
{
    SendMessageA(ControlWindow(prbPerCent), PBM_SETPOS, 0, 0);
    EnableControl(btnCancel, false);
    char text[kTextCapacity];
    SetControlTextFromTable(stcCurrentTask, IDS_UPDATING_REGISTRY, text, 0);
    SetControlTextFromTable(stcFile, IDS_WRITING_VALUES, text, 0);
}

void WriteToolsetSetting(const RegistryStep& step)
{
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, step.productKey, "", "Settings");
    WriteRegString(g_wizard.installRoot, key, "Basalt", IsControlChecked(chkBasalt) ? "1" : "0");
}

void WriteRegistryList(RegistryStep& step)
{
    for (int i = 0; i < LineCount(g_wizard.model.registry); ++i) {
        char line[kTextCapacity];
        RegistryLine parsed;
        StringListGet(g_wizard.model.registry, i, line);
        RootCode root = ParseRegistryLine(line, parsed);
        if (root != 0) {
            if (root == kLocalMachine)
                root = g_wizard.installRoot;
            WriteRegString(root, parsed.key, parsed.valueName, parsed.data);
        }
        Advance(step);
    }
}

// Registers the listed libraries and records the files for the uninstaller.
void WriteFileRecords(RegistryStep& step)
{
    char prefix[kTextCapacity];
    CopyText(prefix, step.destination);
    ToShortForm(prefix);
    JoinPath(prefix, nullptr);

    OleInitialize(nullptr);
    int n = 0;
    for (int i = 0; i < LineCount(g_wizard.model.files); ++i) {
        char line[kTextCapacity];
        char folder[kTextCapacity];
        char name[kTextCapacity];
        char fullPath[kTextCapacity];
        StringListGet(g_wizard.model.files, i, line);
        FileFlags flags = ReadFileFlags(line);
        SplitFirstField(line, folder);
        SplitFirstField(line, name);
        CopyText(fullPath, folder);
        ToShortForm(fullPath);
        JoinPath(fullPath, name);
        if (flags.registerFlag != 0) {
            SelfRegister(fullPath);
            AddSharedLibraryReference(fullPath);
        }
        if (flags.record != 0) {
            char record[kTextCapacity];
            ComposeFileRecord(record, sizeof record, RecordedFilePath(fullPath, prefix), flags.registerCharacter);
            WriteCountedValue(step.recordKey, "File", ++n, record);
        }
        Advance(step);
    }
    WriteNumber(step.recordKey, "Files", n);
    OleUninitialize();
}

void WriteProgramGroupRecord(RegistryStep& step)
{
    WriteControlText(step.recordKey, "Group", Edit3);
    int count = LineCount(g_wizard.model.groupItems);
    for (int k = 1; k <= count; ++k) {
        char line[kTextCapacity];
        StringListGet(g_wizard.model.groupItems, k - 1, line);
        WriteCountedValue(step.recordKey, "Item", k, line);
        Advance(step);
    }
    WriteNumber(step.recordKey, "Items", count);
}

void WriteProductAndUser(const RegistryStep& step)
{
    RootCode root = g_wizard.installRoot;
    WriteInformationLine(root, step.recordKey, "Language", InfoLanguage);
    WriteRegString(root, step.recordKey, "Path", step.destination);
    WriteInformationLine(root, step.recordKey, "Version", InfoVersion);
    WriteInformationLine(root, step.recordKey, "Name", InfoProductName);

    char userKey[kTextCapacity];
    ProductRecordKey(userKey, sizeof userKey, step.productKey, "", "User");
    WriteControlText(userKey, "Name", Edit1);
    WriteControlText(userKey, "Organization", Edit2);
}

// What the system's programs list shows besides the name: the icon, the
// size, the folder, the date, and that the wizard offers no change or repair.
void WriteProgramsListDetails(const RegistryStep& step, const char* key)
{
    RootCode root = g_wizard.installRoot;
    char text[kTextCapacity];
    GetInformationLine(InfoShortcutTarget, text);
    if (text[0] != '\0' && ExpandPathMacro(text)) {
        char icon[kTextCapacity];
        ComposeDisplayIcon(icon, text);
        WriteRegString(root, key, "DisplayIcon", icon);
    }
    WriteRegNumber(root, key, "EstimatedSize", static_cast<DWORD>((g_wizard.installedBytes + 1023) / 1024));
    WriteRegString(root, key, "InstallLocation", step.destination);
    SYSTEMTIME today;
    GetLocalTime(&today);
    ComposeInstallDate(text, today.wYear, today.wMonth, today.wDay);
    WriteRegString(root, key, "InstallDate", text);
    WriteRegNumber(root, key, "NoModify", 1);
    WriteRegNumber(root, key, "NoRepair", 1);
    WriteControlText(key, "URLInfoAbout", stcKestrel);
}

void WriteSystemUninstallEntry(const RegistryStep& step)
{
    RootCode root = g_wizard.installRoot;
    char key[kTextCapacity];
    char windows[kTextCapacity];
    char command[kTextCapacity];
    ComposeSystemUninstallKey(key, step.productKey);
    WriteInformationLine(root, key, "DisplayName", InfoUninstallName);
    WriteInformationLine(root, key, "DisplayVersion", InfoVersion);
    WriteControlText(key, "HelpLink", stcKestrel);
    WriteRegString(root, key, "Publisher", "Tallwood");
    GetWindowsDirectoryA(windows, static_cast<UINT>(kTextCapacity));
    ComposeUninstallString(command, windows, step.productKey);
    WriteRegString(root, key, "UninstallString", command);
    WriteProgramsListDetails(step, key);
}

}  // namespace

RootCode ParseRegistryLine(const char* line, RegistryLine& parsed)
{
    if (!SplitRegistryLine(line, parsed) || !ExpandPathMacro(parsed.data))
        return 0;
    return static_cast<RootCode>(parsed.root);
}

void WriteSettingsAndUninstall()
{
    BeginStep();
    RegistryStep step = {};
    GetInformationLine(InfoProductKey, step.productKey);
    ProductRecordKey(step.recordKey, sizeof step.recordKey, step.productKey, "", "Uninstall");
    GetControlText(stcDestDir, step.destination);

    if (g_wizard.model.setupKind != SetupKindWithoutToolset)
        WriteToolsetSetting(step);
    step.total = static_cast<DWORD>(LineCount(g_wizard.model.registry) + LineCount(g_wizard.model.files) +
                                       LineCount(g_wizard.model.groupItems));
    WriteRegistryList(step);
    WriteInformationLine(g_wizard.installRoot, step.recordKey, "Control", InfoSystemInstall);
    WriteFileRecords(step);
    if (IsControlChecked(Check1))
        WriteProgramGroupRecord(step);
    WriteProductAndUser(step);
    WriteSystemUninstallEntry(step);
    if (g_wizard.model.setupKind != SetupKindWithoutOptions)
        WriteAssociations();

    WaitMilliseconds(600, true);
    ShowControl(stcFile, false);
    ShowControl(prbPerCent, false);
}
