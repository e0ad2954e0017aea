#pragma once
// The install model: what the list file says, kept for the whole run.
#include <cstdint>

#include "forms/string_list.h"

struct InstallModel {
    int32_t setupKind;
    int32_t systemInstall;          // information line 3 read as a number
    uint32_t progressTotal;
    int32_t entryCount;
    StringList information;         // 11 lines, indexed by InformationLine
    StringList files;               // one file line per package entry
    StringList registry;
    StringList groupItems;
    StringList associations;
};

// Copies information line `index` (an InformationLine) into a 260-byte
// buffer; empty when there is no such line.
void GetInformationLine(const InstallModel& model, int index, char* buffer);
