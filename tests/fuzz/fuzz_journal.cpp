// libFuzzer target: the journal reader over arbitrary bytes, as a journal
// damaged on the disk would hold them. Every record it keeps has the fields
// its kind needs, and written out again reads back as the same record.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    for (const JournalRecord& record : ParseJournal(text)) {
        std::vector<JournalRecord> again = ParseJournal(ComposeJournalLine(record));
        Require(again.size() == 1);
        Require(again[0].kind == record.kind && again[0].fields == record.fields);
    }
    return 0;
}
