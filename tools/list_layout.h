#pragma once
// A list file cut into its parts the way the wizard's reader takes them,
// with the line numbers the publisher sees in an editor. Where a count does
// not match its section, the layout follows the shape of the lines instead
// (count lines are bare numbers, item lines are not), so that one run can
// still check the rest of the file.
#include <cstddef>
#include <string>
#include <vector>

#include "tools/list_findings.h"

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

struct ListLine {
    std::size_t number;       // 1-based
    std::size_t start;        // byte offset of the line's first character
    std::size_t length;       // characters before the line end
    std::size_t valueStart;   // byte offset after the first "=", or kNoLine
    bool ended;               // a line end follows
    std::string value;        // after the first "=", or the whole line without one
};

struct ListLayout {
    std::vector<ListLine> lines;            // every line of the file, in order
    std::size_t progressTotal = kNoLine;    // indexes into lines
    std::size_t shortcutTarget = kNoLine;
    std::vector<std::size_t> files;
    std::vector<std::size_t> registry;
    std::vector<std::size_t> groupItems;
    std::vector<std::size_t> associations;
    std::vector<Finding> findings;          // lines that do not read, counts that do not match
};

ListLayout ReadListLayout(const std::vector<unsigned char>& bytes);
