#pragma once
// The install model: what the list file says, kept unchanged for the whole
// run. Every line is at most 259 characters (the list file's limit).
#include <cstdint>
#include <string>
#include <vector>

struct InstallModel {
    int32_t setupKind = 0;
    int32_t systemInstall = 0;              // information line 3 read as a number
    uint32_t progressTotal = 0;
    int32_t entryCount = 0;
    std::vector<std::string> information;   // 11 lines, indexed by InformationLine
    std::vector<std::string> files;         // one file line per package entry
    std::vector<std::string> registry;
    std::vector<std::string> groupItems;
    std::vector<std::string> associations;
};

// Copies information line `index` (an InformationLine) into a 260-byte
// buffer; empty when there is no such line.
void GetInformationLine(const InstallModel& model, int index, char* buffer);

// Whether the lines hold one equal to the text, without regard to case.
bool HoldsLine(const std::vector<std::string>& lines, const char* text);
