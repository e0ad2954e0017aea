#pragma once
// The install journal's text: one record per line, written before the
// change it names, so that an interrupted install can be undone from it.
// A line is a kind word and its fields, separated by tabs and ended by CR LF;
// a tab, CR, LF or '%' inside a field is written as '%' and two hex digits.
#include <string>
#include <vector>

enum class JournalKind {
    Folder,       // path: a folder about to be created
    File,         // path: a file about to be created (or written over, in the temp folder)
    Replaced,     // path, kept: an existing file about to be moved aside to kept
    Key,          // root, key: a registry key about to be created, the highest one missing
    Value,        // root, key, name, old type ("-" when absent), old data in hex
    Registered,   // path: a library about to run its own registration
    Rename,       // temporary, target: a rename about to be scheduled for the next start
    Group,        // name: a program group about to be made by the program manager
    End,          // the install is complete: what remains is to drop the kept files
};

struct JournalRecord {
    JournalKind kind;
    std::vector<std::string> fields;
};

std::string ComposeJournalLine(const JournalRecord& record);

// The records of a journal's text. A line that is cut short (the append that
// a kill interrupted), unknown or with the wrong number of fields is skipped.
std::vector<JournalRecord> ParseJournal(const std::string& text);

// Registry data as hex digits and back; false for text that is not hex.
std::string HexFromBytes(const std::string& bytes);
bool BytesFromHex(const std::string& hex, std::string& bytes);
