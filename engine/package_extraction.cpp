#include "engine/package_extraction.h"

#include <windows.h>

#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/entry_extraction.h"
#include "engine/list_reader.h"
#include "engine/portable/package_format.h"
#include "engine/progress_hook.h"
#include "engine/temp_folder.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

const char kPackageName[] = "_Data.001";

bool EnsureFolder(const char* folder)
{
    return GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES || CreateDirectoryA(folder, nullptr);
}

// Reads the magic and the selector; the list file's name, or nullptr after
// reporting a damaged package.
const char* ReadPackageHeader()
{
    unsigned char header[kPackageHeaderSize] = {};
    DWORD read = 0;
    ReadFile(g_wizard.package, header, 2, &read, nullptr);
    if (!HasPackageMagic(header, read)) {
        ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
        return nullptr;
    }
    ReadFile(g_wizard.package, header + 2, 1, &read, nullptr);
    ReadFile(g_wizard.package, header + 3, 1, &read, nullptr);
    const char* listName = read == 1 ? ListFileNameForSelector(header[3]) : nullptr;
    if (listName == nullptr)
        ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
    return listName;
}

// Unpacks the list file into the temp folder, reads it into the install
// model and deletes it.
int ExtractListFile(const char* tempFolder, const char* listName)
{
    char path[kTextCapacity];
    CopyText(path, tempFolder);
    JoinPath(path, listName);
    if (!ExtractEntry(path))
        return 0;
    HANDLE list = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (list == INVALID_HANDLE_VALUE)
        return ReportError(IDS_READ_FAILED, path, true);
    int read = ReadListFile(list, listName);
    // Read or not, the unpacked list file has served its purpose.
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    if (!read)
        return 0;
    SetProgressTarget(ControlWindow(prbPerCent), g_wizard.model.progressTotal);
    return 1;
}

// Every file line must name a file directly in the temp folder: a name
// with a separator, a drive or ".." would let a package write elsewhere.
int CheckFileNames(const char* listName)
{
    char line[kTextCapacity];
    LRESULT count = StringListSize(g_wizard.model.files);
    for (LRESULT index = 0; index < count; ++index) {
        StringListGet(g_wizard.model.files, static_cast<int>(index), line);
        if (!IsPlainFileName(FileLineName(line).c_str()))
            return ReportError(IDS_LIST_DAMAGED, listName, true);
    }
    return 1;
}

int ExtractInto(const char* folder, const char* name)
{
    char path[kTextCapacity];
    CopyText(path, folder);
    JoinPath(path, name);
    return ExtractEntry(path);
}

// The uninstaller goes to the Windows directory, with its second copy.
int ExtractUninstaller()
{
    char windows[kTextCapacity];
    GetWindowsDirectoryA(windows, static_cast<UINT>(kTextCapacity));
    char uninstaller[kTextCapacity];
    CopyText(uninstaller, windows);
    JoinPath(uninstaller, kUninstallerName);
    if (!ExtractEntry(uninstaller))
        return 0;
    char copy[kTextCapacity];
    CopyText(copy, windows);
    JoinPath(copy, kUninstallerCopyName);
    SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(copy);
    // The second copy is not essential, but a partial one must not stay
    // where it would be started.
    if (!CopyFileA(uninstaller, copy, FALSE)) {
        SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(copy);
    }
    return 1;
}

void ShowUnpackingStatus(const std::string& name)
{
    char status[kTextCapacity];
    LoadTableString(IDS_UNPACKING, status);
    AppendChar(status, ' ');
    AppendText(status, name.c_str());
    SetControlText(stcFile, status);
}

// Unpacks one entry per file line; a cancel between two entries ends the
// extraction without a message.
int ExtractListedFiles(const char* tempFolder)
{
    char line[kTextCapacity];
    LRESULT count = StringListSize(g_wizard.model.files);
    for (LRESULT index = 0; index < count; ++index) {
        StringListGet(g_wizard.model.files, static_cast<int>(index), line);
        std::string name = FileLineName(line);
        ShowUnpackingStatus(name);
        if (!ExtractInto(tempFolder, name.c_str()))
            return 0;
        PumpOneMessage();
        if (g_wizard.cancel) {
            CloseHandle(g_wizard.package);
            g_wizard.package = INVALID_HANDLE_VALUE;
            return 0;
        }
    }
    return 1;
}

}  // namespace

int ExtractPackage()
{
    ShowWindow(g_wizard.mainWindow, SW_SHOW);
    UpdateWindow(g_wizard.mainWindow);

    char localTemp[kTextCapacity];
    char* tempFolder = g_wizard.buffers.temp != nullptr ? g_wizard.buffers.temp : localTemp;
    GetTempFolder(tempFolder);
    if (!EnsureFolder(tempFolder))
        return ReportError(IDS_NO_TEMP_FOLDER, nullptr, true);

    g_wizard.package = CreateFileA(kPackageName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_wizard.package == INVALID_HANDLE_VALUE)
        return ReportError(IDS_NO_PACKAGE, nullptr, true);
    const char* listName = ReadPackageHeader();
    if (listName == nullptr)
        return 0;
    if (!ExtractListFile(tempFolder, listName) || !CheckFileNames(listName))
        return 0;
    if (!ExtractInto(tempFolder, kLogoName) || !ExtractUninstaller())
        return 0;
    EnableControl(btnCancel, true);
    if (!ExtractListedFiles(tempFolder))
        return 0;
    CloseHandle(g_wizard.package);
    g_wizard.package = INVALID_HANDLE_VALUE;

    SetControlText(stcFile, "");
    WaitMilliseconds(600, true);
    // A cancel during the closing pause still ends the run silently.
    return g_wizard.cancel ? 0 : 1;
}
