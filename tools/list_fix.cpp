#include "tools/list_fix.h"

#include <algorithm>

namespace {

// A byte range of the list file to write anew.
struct Replacement {
    std::size_t start;
    std::size_t end;
    std::string text;
};

void Replace(const ListLine& line, std::size_t offset, std::size_t length, const std::string& what,
             const std::string& text, std::vector<Replacement>& replacements, std::vector<TotalsChange>& changes)
{
    std::string before = line.value.substr(offset, length);
    if (before == text)
        return;
    std::size_t start = line.valueStart + offset;
    replacements.push_back({start, start + length, text});
    changes.push_back({line.number, what, before, text});
}

// The offset and length of field 3 inside a file line's value.
bool SizeFieldSpan(const std::string& value, std::size_t& offset, std::size_t& length)
{
    std::size_t first = value.find(',');
    std::size_t second = first == std::string::npos ? first : value.find(',', first + 1);
    if (second == std::string::npos)
        return false;
    std::size_t third = value.find(',', second + 1);
    offset = second + 1;
    length = (third == std::string::npos ? value.size() : third) - offset;
    return true;
}

}  // namespace

std::vector<unsigned char> FixTotals(const std::vector<unsigned char>& bytes, const ListLayout& layout,
                                     const FolderFiles& folder, std::vector<TotalsChange>& changes)
{
    uint64_t total = 0;
    if (layout.progressTotal == kNoLine || !ComputeProgressTotal(layout, folder, total))
        return bytes;
    std::vector<Replacement> replacements;
    const ListLine& totalLine = layout.lines[layout.progressTotal];
    if (totalLine.valueStart != kNoLine)
        Replace(totalLine, 0, totalLine.value.size(), "progress total", std::to_string(total), replacements,
                changes);
    for (std::size_t index : layout.files) {
        const ListLine& line = layout.lines[index];
        std::size_t offset = 0;
        std::size_t length = 0;
        if (line.valueStart == kNoLine || !SizeFieldSpan(line.value, offset, length))
            continue;
        std::string name = FieldOf(line.value, 2);
        Replace(line, offset, length, name + "'s size", std::to_string(folder.at(name).size), replacements,
                changes);
    }
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement& a, const Replacement& b) { return a.start < b.start; });
    std::vector<unsigned char> fixed;
    std::size_t copied = 0;
    for (const Replacement& replacement : replacements) {
        fixed.insert(fixed.end(), bytes.begin() + static_cast<std::ptrdiff_t>(copied),
                     bytes.begin() + static_cast<std::ptrdiff_t>(replacement.start));
        fixed.insert(fixed.end(), replacement.text.begin(), replacement.text.end());
        copied = replacement.end;
    }
    fixed.insert(fixed.end(), bytes.begin() + static_cast<std::ptrdiff_t>(copied), bytes.end());
    return fixed;
}
