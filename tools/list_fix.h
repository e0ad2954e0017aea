#pragma once
// "--fix-totals": the package's copy of the list file gets the progress
// total and the size fields that the publisher's files make, so that the
// wizard's bar neither stops short nor steps back. Every other byte of the
// list file stays as it is.
#include <string>
#include <vector>

#include "tools/list_check.h"
#include "tools/list_layout.h"

struct TotalsChange {
    std::size_t line;
    std::string what;     // "progress total" or "NAME's size"
    std::string before;
    std::string after;
};

// The list file's bytes with the fixed values, and what was changed. The
// bytes come back unchanged when a listed file is missing.
std::vector<unsigned char> FixTotals(const std::vector<unsigned char>& bytes, const ListLayout& layout,
                                     const FolderFiles& folder, std::vector<TotalsChange>& changes);
