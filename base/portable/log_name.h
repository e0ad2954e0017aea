#pragma once
// The name of a run's log when the command line gives none.
#include <string>

// "<product> <yyyy-mm-dd> <n>.log", for the temp folder.
std::string DefaultLogName(const std::string& product, int year, int month, int day, int number);
