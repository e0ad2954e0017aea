#pragma once
// The places an install writes files in: the Windows, system and temp
// folders, the desktop and Start Menu folders, and the folders the journal
// names as the install's. A file record outside them is none of the
// install's (a damaged line), and an undo leaves it alone.
#include <string>
#include <vector>

#include "engine/portable/journal_format.h"

struct JournalPlaces {
    std::vector<std::string> folders;    // short forms, where they exist
};

JournalPlaces CollectPlaces(const std::vector<JournalRecord>& records);

bool HoldsPath(const JournalPlaces& places, const std::string& path);
