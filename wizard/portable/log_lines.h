#pragma once
// The lines of the run's log that are composed from the run's data.
#include <string>

#include "engine/portable/journal_format.h"

// The default log's name in the temp folder: "<product> <yyyy-mm-dd> <n>.log".
std::string DefaultLogName(const std::string& product, int year, int month, int day, int number);

// What a journal record changed, as a line of the log; empty for the
// records that only serve the undo, and for the program group's, which
// names only a group the install made itself.
std::string DescribeChange(const JournalRecord& record);
