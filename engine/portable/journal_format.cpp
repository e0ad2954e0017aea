#include "engine/portable/journal_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// What a field must hold for an undo to act on it safely.
enum class FieldRule {
    Path,          // a full path below a drive's root
    Root,          // a registry root code in decimal
    Key,           // a registry key below its root
    Text,          // anything: a value's name is empty for the key's default value
    Name,          // anything but empty
    TypeOrNone,    // "-" when there is no value (before, or after a deletion), else a registry type
    Hex,           // registry data
    Number,        // a size or a time
    RecordNumber,  // the number of a record of the same journal
};

struct KindWord {
    JournalKind kind;
    const char* word;
    std::vector<FieldRule> rules;
};

using R = FieldRule;

// A value has two forms: journals written before the new data was noted have
// only the old one; so has a written file, before its identity was noted.
const KindWord kKindWords[] = {
    {JournalKind::Folder, "folder", {R::Path}},
    {JournalKind::File, "file", {R::Path}},
    {JournalKind::Written, "written", {R::Path, R::Number, R::Number, R::Number}},
    {JournalKind::Written, "written", {R::Path, R::Number, R::Number}},
    {JournalKind::Replaced, "replaced", {R::Path, R::Path}},
    {JournalKind::Key, "key", {R::Root, R::Key}},
    {JournalKind::Value, "value", {R::Root, R::Key, R::Text, R::TypeOrNone, R::Hex, R::TypeOrNone, R::Hex}},
    {JournalKind::Value, "value", {R::Root, R::Key, R::Text, R::TypeOrNone, R::Hex}},
    {JournalKind::Count, "count", {R::Root, R::Key, R::Name}},
    {JournalKind::Registered, "registered", {R::Path}},
    {JournalKind::Rename, "rename", {R::Path, R::Path}},
    {JournalKind::Group, "group", {R::Name}},
    {JournalKind::Item, "item", {R::Name, R::Name}},
    {JournalKind::User, "user", {R::Name}},
    {JournalKind::Destination, "destination", {R::Path}},
    {JournalKind::Undone, "undone", {R::RecordNumber}},
    {JournalKind::End, "end", {}},
};

const char kUndoneWord[] = "undone";
const char kKeptFolder[] = "\\~Kept\\";
const std::size_t kMaxPathLength = 259;  // MAX_PATH less its terminating NUL
const std::uint64_t kFirstRootCode = 0x80000000u;
const std::uint64_t kLastRootCode = 0x80000006u;

const char kHexDigits[] = "0123456789ABCDEF";

bool NeedsEscape(char c)
{
    return c == '\t' || c == '\r' || c == '\n' || c == '%';
}

void AppendEscaped(std::string& line, const std::string& field)
{
    for (char c : field) {
        if (!NeedsEscape(c)) {
            line += c;
            continue;
        }
        line += '%';
        line += kHexDigits[static_cast<unsigned char>(c) >> 4];
        line += kHexDigits[static_cast<unsigned char>(c) & 15];
    }
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool Unescape(const std::string& text, std::string& field)
{
    field.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            field += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        int high = HexValue(text[i + 1]);
        int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return false;
        field += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool BeginsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    }
    return true;
}

// Digits only, no sign or blank, and no more than limit.
bool ReadDecimal(const std::string& text, std::uint64_t limit, std::uint64_t& value)
{
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return !text.empty();
}

bool IsDecimal(const std::string& text, std::uint64_t limit)
{
    std::uint64_t value;
    return ReadDecimal(text, limit, value);
}

// Written as the install writes it: no leading zero.
bool IsRootCode(const std::string& text)
{
    std::uint64_t value;
    return ReadDecimal(text, kLastRootCode, value) && value >= kFirstRootCode && text[0] != '0';
}

bool IsHex(const std::string& text)
{
    if (text.size() % 2 != 0)
        return false;
    for (char c : text) {
        if (HexValue(c) < 0)
            return false;
    }
    return true;
}

// No part is empty: a key neither begins nor ends with a backslash.
bool IsKey(const std::string& key)
{
    for (const std::string& part : SplitAt(key, '\\')) {
        if (part.empty())
            return false;
    }
    return true;
}

// Control characters and what Windows refuses in a name: an install never
// writes them, so a journal holding them was not written by one.
bool IsPathPart(const std::string& part)
{
    if (part.empty() || part == "." || part == "..")
        return false;
    for (char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string("<>:\"/|?*").find(c) != std::string::npos)
            return false;
    }
    return true;
}

// "X:\" and at least one name: an undo never removes a drive's root, and a
// relative path would depend on whatever folder the undo runs in.
bool IsFullPath(const std::string& path)
{
    bool drive = path.size() > 3 && AsciiLower(path[0]) >= 'a' && AsciiLower(path[0]) <= 'z' && path[1] == ':' &&
                 path[2] == '\\';
    if (!drive || path.size() > kMaxPathLength)
        return false;
    for (const std::string& part : SplitAt(path.substr(3), '\\')) {
        if (!IsPathPart(part))
            return false;
    }
    return true;
}

bool Obeys(const std::string& field, FieldRule rule)
{
    if (field.find('\0') != std::string::npos)
        return false;
    switch (rule) {
    case FieldRule::Path:
        return IsFullPath(field);
    case FieldRule::Root:
        return IsRootCode(field);
    case FieldRule::Key:
        return IsKey(field);
    case FieldRule::Text:
        return true;
    case FieldRule::Name:
        return !field.empty();
    case FieldRule::TypeOrNone:
        return field == "-" || IsDecimal(field, 0xFFFFFFFFu);
    case FieldRule::Hex:
        return IsHex(field);
    case FieldRule::Number:
        return IsDecimal(field, std::numeric_limits<std::uint64_t>::max());
    case FieldRule::RecordNumber:
        return IsDecimal(field, std::numeric_limits<std::size_t>::max());
    }
    return false;
}

// An undo moves the kept copy back over the path: it must be a file in the
// "~Kept" folder beside the path, where the install moved it.
bool IsKeptBeside(const std::string& path, const std::string& kept)
{
    std::string folder = path.substr(0, path.find_last_of('\\')) + kKeptFolder;
    return kept.size() > folder.size() && BeginsWithNoCase(kept, folder) &&
           kept.find('\\', folder.size()) == std::string::npos;
}

bool FieldsAgree(const JournalRecord& record)
{
    if (record.kind == JournalKind::Value)
        return (record.fields[3] != "-" || record.fields[4].empty()) &&
               (record.fields.size() < 7 || record.fields[5] != "-" || record.fields[6].empty());
    if (record.kind == JournalKind::Replaced)
        return IsKeptBeside(record.fields[0], record.fields[1]);
    return true;
}

bool ReadFields(const std::vector<std::string>& parts, const KindWord& entry, JournalRecord& record)
{
    record.kind = entry.kind;
    record.fields.assign(entry.rules.size(), std::string());
    for (std::size_t i = 0; i < entry.rules.size(); ++i) {
        if (!Unescape(parts[i + 1], record.fields[i]) || !Obeys(record.fields[i], entry.rules[i]))
            return false;
    }
    return FieldsAgree(record);
}

bool ReadRecord(const std::vector<std::string>& parts, JournalRecord& record)
{
    for (const KindWord& entry : kKindWords) {
        if (parts[0] == entry.word && parts.size() == entry.rules.size() + 1)
            return ReadFields(parts, entry, record);
    }
    return false;
}

// An "undone" line takes no number whether it is sound or not, so that no
// record's number depends on which lines are judged damaged.
void TakeLine(const std::string& line, std::size_t& nextNumber, JournalContents& contents)
{
    std::vector<std::string> parts = SplitAt(line, '\t');
    JournalRecord record;
    record.number = nextNumber;
    if (parts[0] != kUndoneWord)
        ++nextNumber;
    if (!ReadRecord(parts, record))
        ++contents.skipped;
    else if (record.kind == JournalKind::Undone)
        contents.undone.insert(static_cast<std::size_t>(std::strtoull(record.fields[0].c_str(), nullptr, 10)));
    else
        contents.records.push_back(record);
}

}  // namespace

std::string ComposeJournalLine(const JournalRecord& record)
{
    std::string line;
    for (const KindWord& entry : kKindWords) {
        if (entry.kind == record.kind)
            line = entry.word;
    }
    for (const std::string& field : record.fields) {
        line += '\t';
        AppendEscaped(line, field);
    }
    return line + "\r\n";
}

JournalContents ParseJournal(const std::string& text)
{
    JournalContents contents;
    std::size_t nextNumber = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            break;
        TakeLine(text.substr(start, end - start), nextNumber, contents);
        start = end + 2;
    }
    contents.completeLength = start;
    // The append that a kill interrupted.
    if (start < text.size())
        ++contents.skipped;
    return contents;
}

bool PathLiesIn(const std::string& path, const std::string& folder)
{
    return !folder.empty() && BeginsWithNoCase(path, folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

std::string HexFromBytes(const std::string& bytes)
{
    std::string hex;
    for (char c : bytes) {
        hex += kHexDigits[static_cast<unsigned char>(c) >> 4];
        hex += kHexDigits[static_cast<unsigned char>(c) & 15];
    }
    return hex;
}

bool BytesFromHex(const std::string& hex, std::string& bytes)
{
    bytes.clear();
    if (!IsHex(hex))
        return false;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes += static_cast<char>(HexValue(hex[i]) * 16 + HexValue(hex[i + 1]));
    return true;
}
