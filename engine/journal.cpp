#include "engine/journal.h"

#include <string>

#include "base/messages.h"
#include "base/portable/safe_names.h"
#include "base/portable/text_helpers.h"
#include "engine/journal_undo.h"

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

bool OpenJournal(Journal& journal, const char* productKey)
{
    journal.file = nullptr;
    if (!ComposeJournalPath(productKey, journal.path))
        return false;
    HANDLE file = CreateFileA(journal.path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    journal.file = file;
    return true;
}

bool AppendToJournal(Journal& journal, const JournalRecord& record)
{
    if (!IsJournalOpen(journal))
        return true;
    std::string line = ComposeJournalLine(record);
    DWORD written = 0;
    SetFilePointer(journal.file, 0, nullptr, FILE_END);
    return WriteFile(journal.file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size() && FlushFileBuffers(journal.file);
}

void CompleteJournal(Journal& journal)
{
    if (!IsJournalOpen(journal))
        return;
    AppendToJournal(journal, JournalRecord{JournalKind::End, {}});
    DropKeptFiles(ParseJournal(ReadWhole(journal.file)));
    CloseAndDelete(journal);
}

void UndoJournal(Journal& journal, InstallView* view)
{
    if (!IsJournalOpen(journal))
        return;
    UndoRecords(ParseJournal(ReadWhole(journal.file)), view);
    CloseAndDelete(journal);
}

bool RecoverInterruptedInstall(const char* productKey, const char* message)
{
    Journal journal = {};
    if (!ComposeJournalPath(productKey, journal.path))
        return false;
    // No sharing: a journal that a running wizard holds is not interrupted.
    HANDLE file = CreateFileA(journal.path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    journal.file = file;
    std::vector<JournalRecord> records = ParseJournal(ReadWhole(file));
    // An empty journal changed nothing; a completed one only drops kept files.
    if (records.empty() || records.back().kind == JournalKind::End) {
        DropKeptFiles(records);
        CloseAndDelete(journal);
        return false;
    }
    ShowMessage(message, MB_OK | MB_ICONINFORMATION);
    UndoRecords(records, nullptr);
    CloseAndDelete(journal);
    return true;
}
