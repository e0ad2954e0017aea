#pragma once
// The install journal's text: one record per line, written before the
// change it names, so that an interrupted install can be undone from it.
// A line is a kind word and its fields, separated by tabs and ended by CR LF;
// a tab, CR, LF or '%' inside a field is written as '%' and two hex digits.
#include <cstddef>
#include <set>
#include <string>
#include <vector>

enum class JournalKind {
    Folder,       // path: a folder about to be created
    File,         // path: a file about to be created (or written over, in the temp folder)
    Written,      // path, size, time [, identity]: what a created file held when the install finished writing it
    Replaced,     // path, kept: an existing file about to be moved aside to kept ("~Kept" beside it)
    Key,          // root, key: a registry key about to be created, the highest one missing
    Value,        // root, key, name, old type ("-" when absent), old data in hex
                  //   [, new type ("-" for a deletion), new data in hex: what the install is about to leave]
    Count,        // root, key, name: a shared library's count about to be raised by one
    Registered,   // path: a library about to run its own registration
    Rename,       // temporary, target: a rename about to be scheduled for the next start
    Group,        // name: a program group about to be made by the program manager
    Item,         // group, title: an item the install is about to add to that group
    User,         // name: the user whose own keys (HKEY_CURRENT_USER) the install changes
    Destination,  // path: the folder the install puts the product in
    Undone,       // number: the record of that number has been undone
    End,          // the install is complete: what remains is to drop the kept files
};

struct JournalRecord {
    JournalKind kind;
    std::vector<std::string> fields;
    // The line's place among the journal's lines that are not "undone"
    // lines, counted from 0: what an "undone" line names. Set by the reader.
    std::size_t number = 0;
};

struct JournalContents {
    std::vector<JournalRecord> records;   // every sound record but the "undone" ones, in order
    std::set<std::size_t> undone;         // the numbers that "undone" lines name
    std::size_t skipped = 0;              // damaged lines left out (cut, unknown, wrong or unsafe fields)
    std::size_t completeLength = 0;       // the text up to the end of its last whole line
};

std::string ComposeJournalLine(const JournalRecord& record);

// The records of a journal's text. A line is skipped (and counted) when it
// is cut short (the append that a kill interrupted: only the last line can
// be), of an unknown kind or with the wrong number of fields, or when a
// field is unsafe to act on: an empty path, key or name, a NUL character, a
// path that is not absolute ("X:\..." with no empty, "." or ".." part and no
// trailing backslash) or is a drive root, a key that is empty or begins or
// ends with a backslash, a root that is no root code, a number or hex field
// that is none, or a replaced file whose kept copy is not in the "~Kept"
// folder beside it.
JournalContents ParseJournal(const std::string& text);

// True when the path is the folder or lies inside it (without regard to case).
bool PathLiesIn(const std::string& path, const std::string& folder);

// Registry data as hex digits and back; false for text that is not hex.
std::string HexFromBytes(const std::string& bytes);
bool BytesFromHex(const std::string& hex, std::string& bytes);
