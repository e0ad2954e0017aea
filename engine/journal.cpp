#include "engine/journal.h"

#include <string>

#include "base/portable/safe_names.h"
#include "base/portable/text_helpers.h"

namespace {

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

}  // namespace

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

JournalContents ReadJournal(Journal& journal)
{
    JournalContents contents = ParseJournal(ReadWhole(journal.file));
    SetFilePointer(journal.file, static_cast<LONG>(contents.completeLength), nullptr, FILE_BEGIN);
    SetEndOfFile(journal.file);
    return contents;
}

void CloseAndDelete(Journal& journal)
{
    CloseHandle(journal.file);
    journal.file = nullptr;
    SetFileAttributesA(journal.path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(journal.path);
}

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
