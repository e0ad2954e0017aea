#pragma once
// The lines of the run's log that are composed from the run's data.
#include <string>

#include "engine/portable/journal_format.h"

// What a journal record changed, as a line of the log; empty for the
// records that only serve the undo, and for the program group's, which
// names only a group the install made itself.
std::string DescribeChange(const JournalRecord& record);
