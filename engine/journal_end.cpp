#include "engine/journal_end.h"

#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/journal_undo.h"
#include "resources/string_ids.h"

namespace {

// The message's text, then what it names.
void ShowFollowedBy(int messageId, const std::string& what, UINT flags)
{
    char text[kTextCapacity];
    LoadTableString(messageId, text);
    ShowMessage(messageId, (std::string(text) + " " + what).c_str(), flags);
}

}  // namespace

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
    ShowFollowedBy(IDS_UNDO_WAITS, result.waiting.front(), MB_OK | MB_ICONEXCLAMATION);
}

Recovery RecoverInterruptedInstall(const char* productKey, const RecoveryMessages& messages, int osCode)
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
    char interrupted[kTextCapacity];
    LoadTableString(messages.interrupted, interrupted);
    ShowMessage(messages.interrupted, interrupted, MB_OK | MB_ICONINFORMATION);
    UndoResult result = UndoRecords(contents, journal, nullptr, osCode);
    std::size_t leftAlone = result.leftAlone + contents.skipped;
    if (leftAlone > 0)
        ShowFollowedBy(messages.leftAlone, std::to_string(leftAlone), MB_OK | MB_ICONINFORMATION);
    if (!result.waiting.empty()) {
        CloseHandle(journal.file);
        ShowFollowedBy(messages.waiting, result.waiting.front(), MB_OK | MB_ICONEXCLAMATION);
        return Recovery::StillWaiting;
    }
    CloseAndDelete(journal);
    return Recovery::Undone;
}
