#include "engine/journal.h"

#include <string>

#include "base/messages.h"
#include "base/portable/safe_names.h"
#include "base/portable/text_helpers.h"
#include "engine/journal_undo.h"
#include "resources/string_ids.h"

namespace {

bool ComposeJournalPath(const char* productKey, char* path)
{
    if (productKey[0] == '\0' || CheckNamePart(productKey) != NamePartProblem::None ||
        std::string(productKey).find_first_of("\\/:*?\"<>|") != std::string::npos)
        return false;
    GetWindowsDirectoryA(path, MAX_PATH);
    JoinPath(path, productKey, MAX_PATH);
    AppendText(path, ".jnl", MAX_PATH);
    return true;
}

std::string ReadWhole(HANDLE file)
{
    std::string text;
    char block[4096];
    DWORD read = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        text.append(block, read);
    return text;
}

bool WriteLine(Journal& journal, const JournalRecord& record)
{
    std::string line = ComposeJournalLine(record);
    DWORD written = 0;
    SetFilePointer(journal.file, 0, nullptr, FILE_END);
    return WriteFile(journal.file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

// The journal's records; a last line that a kill cut short is cut off the
// file, so that what is appended next starts a line of its own. Its change
// was never made: a change waits for its note to reach the disk.
JournalContents ReadJournal(Journal& journal)
{
    JournalContents contents = ParseJournal(ReadWhole(journal.file));
    SetFilePointer(journal.file, static_cast<LONG>(contents.completeLength), nullptr, FILE_BEGIN);
    SetEndOfFile(journal.file);
    return contents;
}

void ShowWaitingFile(const char* text, const std::string& path)
{
    ShowMessage((std::string(text) + " " + path).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CloseAndDelete(Journal& journal)
{
    CloseHandle(journal.file);
    journal.file = nullptr;
    SetFileAttributesA(journal.path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(journal.path);
}

}  // namespace

bool IsJournalOpen(const Journal& journal)
{
    return journal.file != nullptr;
}

JournalOpening OpenJournal(Journal& journal, const char* productKey)
{
    journal.file = nullptr;
    if (!ComposeJournalPath(productKey, journal.path))
        return JournalOpening::Failed;
    // A journal there now belongs to a run that holds it, or appeared since
    // the recovery: neither may be written over.
    HANDLE file = CreateFileA(journal.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_EXISTS ? JournalOpening::HeldByAnotherRun
                                                                               : JournalOpening::Failed;
    }
    journal.file = file;
    if (!AppendToJournal(journal, JournalRecord{JournalKind::User, {CurrentUserName()}})) {
        CloseAndDelete(journal);
        return JournalOpening::Failed;
    }
    return JournalOpening::Opened;
}

bool AppendToJournal(Journal& journal, const JournalRecord& record)
{
    if (!IsJournalOpen(journal))
        return true;
    return WriteLine(journal, record) && FlushFileBuffers(journal.file);
}

void AppendToJournalUnflushed(Journal& journal, const JournalRecord& record)
{
    if (IsJournalOpen(journal))
        WriteLine(journal, record);
}

// FindFirstFileA: Windows 95 has no GetFileAttributesExA.
bool ReadFileStamp(const char* path, FileStamp& stamp)
{
    // No access asked: a file that a running program holds can be stamped too.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    bool read = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!read || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    stamp.size = (static_cast<ULONGLONG>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    stamp.time = (static_cast<ULONGLONG>(information.ftLastWriteTime.dwHighDateTime) << 32) |
                 information.ftLastWriteTime.dwLowDateTime;
    stamp.identity = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

std::string CurrentUserName()
{
    char name[257] = "";
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size))
        return "?";
    return name[0] != '\0' ? name : "?";
}

void CompleteJournal(Journal& journal)
{
    if (!IsJournalOpen(journal))
        return;
    AppendToJournal(journal, JournalRecord{JournalKind::End, {}});
    DropKeptFiles(ReadJournal(journal).records);
    CloseAndDelete(journal);
}

void UndoJournal(Journal& journal, InstallView* view, int osCode)
{
    if (!IsJournalOpen(journal))
        return;
    UndoResult result = UndoRecords(ReadJournal(journal), journal, view, osCode);
    if (result.waiting.empty()) {
        CloseAndDelete(journal);
        return;
    }
    CloseHandle(journal.file);
    journal.file = nullptr;
    char text[kTextCapacity];
    LoadTableString(IDS_UNDO_WAITS, text);
    ShowWaitingFile(text, result.waiting.front());
}

Recovery RecoverInterruptedInstall(const char* productKey, const RecoveryTexts& texts, int osCode)
{
    Journal journal = {};
    if (!ComposeJournalPath(productKey, journal.path))
        return Recovery::NothingToDo;
    // No writer beside it: a journal that a running wizard (or another
    // recovery) holds is not interrupted. Readers may watch the undo.
    HANDLE file = CreateFileA(journal.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Recovery::NothingToDo;
        return error == ERROR_SHARING_VIOLATION ? Recovery::HeldByAnotherRun : Recovery::Failed;
    }
    journal.file = file;
    JournalContents contents = ReadJournal(journal);
    // An empty journal changed nothing; a completed one only drops kept files.
    if (contents.records.empty() || contents.records.back().kind == JournalKind::End) {
        DropKeptFiles(contents.records);
        CloseAndDelete(journal);
        return Recovery::NothingToDo;
    }
    ShowMessage(texts.interrupted, MB_OK | MB_ICONINFORMATION);
    UndoResult result = UndoRecords(contents, journal, nullptr, osCode);
    std::size_t leftAlone = result.leftAlone + contents.skipped;
    if (leftAlone > 0)
        ShowMessage((std::string(texts.leftAlone) + " " + std::to_string(leftAlone)).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    if (!result.waiting.empty()) {
        CloseHandle(journal.file);
        ShowWaitingFile(texts.waiting, result.waiting.front());
        return Recovery::StillWaiting;
    }
    CloseAndDelete(journal);
    return Recovery::Undone;
}
