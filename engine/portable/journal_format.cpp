#include "engine/portable/journal_format.h"

#include <cstddef>

namespace {

struct KindWord {
    JournalKind kind;
    const char* word;
    std::size_t fieldCount;
};

const KindWord kKindWords[] = {
    {JournalKind::Folder, "folder", 1},         {JournalKind::File, "file", 1},
    {JournalKind::Replaced, "replaced", 2},     {JournalKind::Key, "key", 2},
    {JournalKind::Value, "value", 5},           {JournalKind::Registered, "registered", 1},
    {JournalKind::Rename, "rename", 2},         {JournalKind::Group, "group", 1},
    {JournalKind::End, "end", 0},
};

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

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == '\t')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool ParseLine(const std::string& line, JournalRecord& record)
{
    std::vector<std::string> parts = SplitTabs(line);
    for (const KindWord& entry : kKindWords) {
        if (parts[0] != entry.word)
            continue;
        if (parts.size() != entry.fieldCount + 1)
            return false;
        record.kind = entry.kind;
        record.fields.assign(parts.size() - 1, std::string());
        for (std::size_t i = 1; i < parts.size(); ++i) {
            if (!Unescape(parts[i], record.fields[i - 1]))
                return false;
        }
        return true;
    }
    return false;
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

std::vector<JournalRecord> ParseJournal(const std::string& text)
{
    std::vector<JournalRecord> records;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            break;
        JournalRecord record;
        if (ParseLine(text.substr(start, end - start), record))
            records.push_back(record);
        start = end + 2;
    }
    return records;
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
    if (hex.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int high = HexValue(hex[i]);
        int low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}
