// libFuzzer target: the journal reader over arbitrary bytes, as a journal
// damaged on the disk would hold them. Every record it keeps is safe for an
// undo to act on (full paths, keys, no NUL), and written out again reads back
// as the same record; the whole lines end where it says.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/portable/journal_format.h"

namespace {

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

// "X:\" and a name, with no empty, "." or ".." part.
bool IsFullPath(const std::string& path)
{
    if (path.size() < 4 || !std::isalpha(static_cast<unsigned char>(path[0])) || path.compare(1, 2, ":\\") != 0)
        return false;
    std::string parts = path.substr(2) + "\\";
    return parts.find("\\\\") == std::string::npos && parts.find("\\.\\") == std::string::npos &&
           parts.find("\\..\\") == std::string::npos;
}

void RequireSafe(const JournalRecord& record)
{
    const std::vector<std::string>& f = record.fields;
    for (const std::string& field : f)
        Require(field.find('\0') == std::string::npos);
    JournalKind k = record.kind;
    bool twoPaths = k == JournalKind::Replaced || k == JournalKind::Rename;
    if (twoPaths || k == JournalKind::Folder || k == JournalKind::File || k == JournalKind::Written ||
        k == JournalKind::Registered || k == JournalKind::Destination)
        Require(IsFullPath(f[0]) && (!twoPaths || IsFullPath(f[1])));
    if (k == JournalKind::Key || k == JournalKind::Value || k == JournalKind::Count)
        Require(!f[1].empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    JournalContents contents = ParseJournal(text);
    Require(contents.completeLength <= size);
    Require(contents.completeLength == 0 || text.compare(contents.completeLength - 2, 2, "\r\n") == 0);
    Require(text.find("\r\n", contents.completeLength) == std::string::npos);
    for (const JournalRecord& record : contents.records) {
        RequireSafe(record);
        JournalContents again = ParseJournal(ComposeJournalLine(record));
        Require(again.records.size() == 1 && again.skipped == 0);
        Require(again.records[0].kind == record.kind && again.records[0].fields == record.fields);
    }
    // Each undone number is one that an "undone" line can carry.
    for (std::size_t number : contents.undone) {
        JournalContents again = ParseJournal(ComposeJournalLine({JournalKind::Undone, {std::to_string(number)}}));
        Require(again.records.empty() && again.undone == std::set<std::size_t>{number});
    }
    return 0;
}
