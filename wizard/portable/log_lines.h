#pragma once
// The lines of the run's log that are composed from the run's data.
#include <string>

#include "engine/portable/file_decision.h"
#include "engine/portable/journal_format.h"

// What a journal record changed, as a line of the log; empty for the
// records that only serve the undo, for the files (the copy's decisions
// name them), and for the program group's, which names only a group the
// install made itself.
std::string DescribeChange(const JournalRecord& record);

// What the copy did with a file and the rule that decided it, as a line.
std::string DescribeFileDecision(const FileDecision& decision);
