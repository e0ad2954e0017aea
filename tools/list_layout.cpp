#include "tools/list_layout.h"

#include <cstring>

#include "engine/portable/list_file.h"

namespace {

// The lines before the file lines, as the messages name them.
const char* const kFixedLines[] = {
    "setup kind", "window title", "product name", "version", "default folder", "system-install flag",
    "reserved", "welcome text", "language", "product key", "progress total", "entry count",
};
constexpr std::size_t kProgressTotalLine = 10;   // index in kFixedLines

bool IsLineEnd(unsigned char c)
{
    return c == '\r' || c == '\n';
}

// Splits the bytes with the wizard's own line reader; a last line without
// a line end is kept too, marked as such.
std::vector<ListLine> SplitLines(const std::vector<unsigned char>& bytes)
{
    std::vector<ListLine> lines;
    ListCursor cursor = {bytes.data(), bytes.size(), 0};
    char buffer[kListLineCapacity];
    for (;;) {
        std::size_t start = cursor.position;
        bool ended = ReadListLine(cursor, buffer) != LineResult::Missing;
        if (!ended && start >= bytes.size())
            break;
        std::size_t length = 0;
        while (start + length < bytes.size() && !IsLineEnd(bytes[start + length]))
            ++length;
        std::string text(reinterpret_cast<const char*>(bytes.data()) + start, length);
        std::size_t equals = text.find('=');
        ListLine line = {lines.size() + 1, start, length, equals == std::string::npos ? kNoLine : start + equals + 1,
                         ended, equals == std::string::npos ? text : text.substr(equals + 1)};
        lines.push_back(line);
        if (!ended)
            break;
    }
    return lines;
}

// A count line holds a bare number (or nothing); item lines hold more.
bool LooksLikeCount(const std::string& value)
{
    std::size_t i = value.find_first_not_of(" \t");
    if (i == std::string::npos)
        return true;
    if (value[i] == '+' || value[i] == '-')
        ++i;
    std::size_t digits = i;
    while (i < value.size() && std::strchr("0123456789abcdefABCDEF", value[i]) != nullptr)
        ++i;
    if (i == digits)
        return false;
    if (i < value.size() && std::strchr("hHoOqQyY", value[i]) != nullptr)
        ++i;
    return value.find_first_not_of(" \t", i) == std::string::npos;
}

bool IsSectionItem(const std::string& value)
{
    return !LooksLikeCount(value);
}

// Association lines are followed by free text (the last information
// lines), so they are told by their own shape: an extension or two commas.
bool IsAssociationItem(const std::string& value)
{
    std::size_t commas = 0;
    for (char c : value)
        commas += c == ',';
    return commas >= 2 || (!value.empty() && value[0] == '.');
}

using ItemShape = bool (*)(const std::string&);

struct Walk {
    ListLayout& layout;
    std::size_t next;
    bool stopped;
};

void ReportReadProblems(ListLayout& layout, const ListLine& line)
{
    if (line.length >= kListLineCapacity)
        layout.findings.push_back({line.number, FindingCode::LineTooLong, {std::to_string(line.length)}});
    if (line.valueStart == kNoLine)
        layout.findings.push_back({line.number, FindingCode::NoEquals, {}});
    if (!line.ended)
        layout.findings.push_back({line.number, FindingCode::NoLineEnd, {}});
}

// The next line in its role; at the file's end, reports the missing line
// once and stops the walk.
bool Take(Walk& walk, const char* role, std::size_t& index)
{
    if (walk.stopped)
        return false;
    if (walk.next >= walk.layout.lines.size()) {
        walk.layout.findings.push_back({walk.layout.lines.size() + 1, FindingCode::FileEndsEarly, {role}});
        walk.stopped = true;
        return false;
    }
    index = walk.next++;
    ReportReadProblems(walk.layout, walk.layout.lines[index]);
    return true;
}

// True when the declared number of lines are items and the line after them
// is not: the count fits its section.
bool CountFits(const Walk& walk, std::size_t declared, ItemShape isItem)
{
    const std::vector<ListLine>& lines = walk.layout.lines;
    if (walk.next + declared >= lines.size())
        return false;
    for (std::size_t i = walk.next; i < walk.next + declared; ++i)
        if (!isItem(lines[i].value))
            return false;
    return !isItem(lines[walk.next + declared].value);
}

std::size_t ItemRun(const Walk& walk, ItemShape isItem)
{
    std::size_t i = walk.next;
    while (i < walk.layout.lines.size() && isItem(walk.layout.lines[i].value))
        ++i;
    return i - walk.next;
}

std::string LinesFollow(std::size_t count, const char* item)
{
    if (count == 0)
        return std::string("no ") + item + "s follow";
    if (count == 1)
        return std::string("1 ") + item + " follows";
    return std::to_string(count) + " " + item + "s follow";
}

struct Section {
    const char* countName;    // "registry" in "the registry count"
    const char* countRole;    // the count line, for a file that ends before it
    const char* item;
    ItemShape isItem;
    bool needsItems;          // the entry count may not be 0
};

// Reads the count line that has just been taken and the section's lines.
void TakeItems(Walk& walk, std::size_t countIndex, const Section& section, std::vector<std::size_t>& items)
{
    const ListLine& countLine = walk.layout.lines[countIndex];
    int32_t declared = ParseNumber(countLine.value.c_str());
    std::size_t wanted = declared > 0 ? static_cast<std::size_t>(declared) : 0;
    std::size_t actual = CountFits(walk, wanted, section.isItem) ? wanted : ItemRun(walk, section.isItem);
    if (section.needsItems && declared <= 0)
        walk.layout.findings.push_back(
            {countLine.number, FindingCode::EntryCountNotPositive, {std::to_string(declared)}});
    else if (actual != wanted)
        walk.layout.findings.push_back({countLine.number, FindingCode::CountMismatch,
                                        {section.countName, std::to_string(declared),
                                         LinesFollow(actual, section.item)}});
    std::size_t index = 0;
    for (std::size_t i = 0; i < actual && Take(walk, section.item, index); ++i)
        items.push_back(index);
}

void TakeSection(Walk& walk, const Section& section, std::vector<std::size_t>& items)
{
    std::size_t countIndex = 0;
    if (Take(walk, section.countRole, countIndex))
        TakeItems(walk, countIndex, section, items);
}

const Section kFileSection = {"entry", "entry count", "file line", IsSectionItem, true};
const Section kRegistrySection = {"registry", "registry count", "registry line", IsSectionItem, false};
const Section kGroupSection = {"group item", "group item count", "group item", IsSectionItem, false};
const Section kAssociationSection = {"association", "association count", "association line", IsAssociationItem,
                                     false};

}  // namespace

ListLayout ReadListLayout(const std::vector<unsigned char>& bytes)
{
    ListLayout layout;
    layout.lines = SplitLines(bytes);
    Walk walk = {layout, 0, false};
    std::size_t index = 0;
    // The last fixed line, the entry count, opens the file section.
    const std::size_t entryCountLine = sizeof kFixedLines / sizeof kFixedLines[0] - 1;
    for (std::size_t i = 0; i < entryCountLine; ++i)
        if (Take(walk, kFixedLines[i], index) && i == kProgressTotalLine)
            layout.progressTotal = index;
    if (Take(walk, kFixedLines[entryCountLine], index))
        TakeItems(walk, index, kFileSection, layout.files);
    TakeSection(walk, kRegistrySection, layout.registry);
    TakeSection(walk, kGroupSection, layout.groupItems);
    TakeSection(walk, kAssociationSection, layout.associations);
    if (Take(walk, "shortcut target", index))
        layout.shortcutTarget = index;
    Take(walk, "closing message", index);
    Take(walk, "uninstall name", index);
    return layout;
}
