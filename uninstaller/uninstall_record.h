#pragma once
// Finding and reading the uninstall record of a product key: under
// HKEY_LOCAL_MACHINE, or under HKEY_CURRENT_USER when the record is there.
#include <map>
#include <string>

#include "base/registry.h"
#include "uninstaller/portable/uninstall_plan.h"

struct UninstallRecord {
    RootCode root;
    std::string productKey;                      // with its suffix
    std::map<std::string, std::string> values;   // by lower-case name; texts only
};

// False when neither root holds the record.
bool ReadUninstallRecord(const char* productKey, UninstallRecord* record);

// The record's values as the pure planner reads them.
RecordSource RecordValues(const UninstallRecord& record);
