#include "engine/package_extraction.h"

#include <windows.h>

#include <string>

#include "base/messages.h"
#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/entry_extraction.h"
#include "engine/journal_end.h"
#include "engine/journaled_changes.h"
#include "engine/list_reader.h"
#include "engine/portable/list_file.h"
#include "engine/portable/package_format.h"
#include "engine/progress_hook.h"
#include "engine/temp_folder.h"
#include "resources/string_ids.h"

namespace {


bool EnsureFolder(const char* folder)
{
    return GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES || CreateDirectoryA(folder, nullptr);
}

// Reads the magic and the selector; the list file's name, or nullptr after
// reporting a damaged package.
const char* ReadPackageHeader(HANDLE package)
{
    unsigned char header[kPackageHeaderSize] = {};
    DWORD read = 0;
    ReadFile(package, header, 2, &read, nullptr);
    if (!HasPackageMagic(header, read)) {
        ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
        return nullptr;
    }
    ReadFile(package, header + 2, 1, &read, nullptr);
    ReadFile(package, header + 3, 1, &read, nullptr);
    const char* listName = read == 1 ? ListFileNameForSelector(header[3]) : nullptr;
    if (listName == nullptr)
        ReportError(IDS_PACKAGE_DAMAGED, nullptr, true);
    return listName;
}

// Unpacks the list file into the temp folder, reads it into the install
// model and deletes it.
int ExtractListFile(Unpacking& unpacking, const char* listName)
{
    char path[kTextCapacity];
    CopyText(path, unpacking.tempFolder);
    JoinPath(path, listName);
    if (!ExtractEntry(unpacking, path))
        return 0;
    HANDLE list = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (list == INVALID_HANDLE_VALUE)
        return ReportError(IDS_READ_FAILED, path, true);
    int read = ReadListFile(list, listName, *unpacking.model, *unpacking.view);
    // Read or not, the unpacked list file has served its purpose.
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    if (!read)
        return 0;
    SetProgressTarget(unpacking.progress, unpacking.view, unpacking.model->progressTotal);
    return 1;
}

// Every file line must name a file directly in the temp folder: a name
// with a separator, a drive or ".." would let a package write elsewhere.
int CheckFileNames(const InstallModel& model, const char* listName)
{
    for (const std::string& line : model.files) {
        if (!IsPlainFileName(FileLineName(line).c_str()))
            return ReportError(IDS_LIST_DAMAGED, listName, true);
    }
    return 1;
}

// Tools that unpack without a journal (the benchmarks) hand none.
bool NoteUnpacked(Unpacking& unpacking, const char* path)
{
    return unpacking.journal == nullptr || NoteNewFile(*unpacking.journal, path);
}

// A file that is there already (another product's uninstaller) is moved
// aside until the install completes, and comes back when it is undone.
// False when it stays (held by a running program, or the journal could not
// take the note): nothing may be written over it then.
bool NoteOrKeep(Unpacking& unpacking, const char* path)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return NoteUnpacked(unpacking, path);
    return unpacking.journal == nullptr || MoveAside(*unpacking.journal, path);
}

void NoteWritten(Unpacking& unpacking, const char* path)
{
    if (unpacking.journal != nullptr)
        NoteWrittenFile(*unpacking.journal, path);
}

int ExtractInto(Unpacking& unpacking, const char* folder, const char* name)
{
    char path[kTextCapacity];
    CopyText(path, folder);
    JoinPath(path, name);
    if (!NoteUnpacked(unpacking, path))
        return ReportError(IDS_JOURNAL_FAILED, unpacking.journal->path, true);
    return ExtractEntry(unpacking, path);
}

// The uninstaller goes to the Windows directory, with its second copy. The
// product's uninstaller must be the package's: one there already that
// cannot give way ends the run. The second copy is not essential: one that
// cannot give way stays as it is.
int ExtractUninstaller(Unpacking& unpacking)
{
    char windows[kTextCapacity];
    GetWindowsDirectoryA(windows, static_cast<UINT>(kTextCapacity));
    char uninstaller[kTextCapacity];
    CopyText(uninstaller, windows);
    JoinPath(uninstaller, kUninstallerName);
    if (!NoteOrKeep(unpacking, uninstaller))
        return ReportError(IDS_COPY_FAILED, kUninstallerName, true);
    if (!ExtractEntry(unpacking, uninstaller))
        return 0;
    NoteWritten(unpacking, uninstaller);
    char copy[kTextCapacity];
    CopyText(copy, windows);
    JoinPath(copy, kUninstallerCopyName);
    if (!NoteOrKeep(unpacking, copy))
        return 1;
    // A partial copy must not stay where it would be started.
    if (!CopyFileA(uninstaller, copy, FALSE)) {
        SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(copy);
        return 1;
    }
    NoteWritten(unpacking, copy);
    return 1;
}

void ShowUnpackingStatus(InstallView& view, const std::string& name)
{
    char status[kTextCapacity];
    LoadTableString(IDS_UNPACKING, status);
    AppendChar(status, ' ');
    AppendText(status, name.c_str());
    view.ShowFile(status);
}

void ClosePackage(Unpacking& unpacking)
{
    CloseHandle(unpacking.package);
    unpacking.package = INVALID_HANDLE_VALUE;
}

// Unpacks one entry per file line; a cancel between two entries ends the
// extraction without a message.
int ExtractListedFiles(Unpacking& unpacking)
{
    for (const std::string& line : unpacking.model->files) {
        std::string name = FileLineName(line);
        ShowUnpackingStatus(*unpacking.view, name);
        if (!ExtractInto(unpacking, unpacking.tempFolder, name.c_str()))
            return 0;
        PumpOneMessage();
        if (*unpacking.cancel) {
            ClosePackage(unpacking);
            return 0;
        }
    }
    return 1;
}

// The product key is known once the list file is read: an install of it that
// was interrupted is put right first, then this run's journal begins. A
// wizard of the same product that runs now holds the journal: this one ends
// without touching anything, the temp folder's files included (they are the
// other run's).
int BeginJournal(Unpacking& unpacking)
{
    if (unpacking.journal == nullptr)
        return 1;
    char productKey[kTextCapacity];
    GetInformationLine(*unpacking.model, InfoProductKey, productKey);
    Recovery recovery = RecoverInterruptedInstall(
        productKey, RecoveryMessages{IDS_INSTALL_WAS_INTERRUPTED, IDS_CHANGES_LEFT_ALONE, IDS_UNDO_WAITS},
        unpacking.osCode);
    if (recovery == Recovery::StillWaiting)
        return 0;
    JournalOpening opening = recovery == Recovery::HeldByAnotherRun ? JournalOpening::HeldByAnotherRun
                                                                    : OpenJournal(*unpacking.journal, productKey);
    if (opening == JournalOpening::HeldByAnotherRun) {
        unpacking.tempFolder[0] = '\0';
        unpacking.anotherRunHolds = true;
        return ReportError(IDS_ANOTHER_INSTALL_RUNS, nullptr, false);
    }
    if (opening == JournalOpening::Failed)
        return ReportError(IDS_JOURNAL_FAILED, unpacking.journal->path, true);
    return 1;
}

int ExtractAll(Unpacking& unpacking)
{
    char* tempFolder = unpacking.tempFolder;
    GetTempFolder(tempFolder);
    if (!EnsureFolder(tempFolder))
        return ReportError(IDS_NO_TEMP_FOLDER, nullptr, true);

    unpacking.package = CreateFileA(kPackageName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (unpacking.package == INVALID_HANDLE_VALUE)
        return ReportError(IDS_NO_PACKAGE, nullptr, true);
    const char* listName = ReadPackageHeader(unpacking.package);
    if (listName == nullptr)
        return 0;
    if (!ExtractListFile(unpacking, listName) || !CheckFileNames(*unpacking.model, listName))
        return 0;
    if (!BeginJournal(unpacking))
        return 0;
    if (!ExtractInto(unpacking, tempFolder, kLogoName) || !ExtractUninstaller(unpacking))
        return 0;
    unpacking.view->EnableCancel(true);
    if (!ExtractListedFiles(unpacking))
        return 0;
    ClosePackage(unpacking);

    unpacking.view->ShowFile("");
    unpacking.view->Pause(600, true);
    // A cancel during the closing pause still ends the run silently.
    return *unpacking.cancel ? 0 : 1;
}

}  // namespace

int ExtractPackage(Unpacking& unpacking)
{
    if (!AllocateEntryBuffers(unpacking.buffers))
        return ReportError(IDS_OUT_OF_MEMORY, nullptr, true);
    int extracted = ExtractAll(unpacking);
    FreeEntryBuffers(unpacking.buffers);
    return extracted;
}
