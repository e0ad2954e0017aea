#pragma once
// The package builder's command line.
#include <cstdint>
#include <string>
#include <vector>

enum class BuilderCommand { Help, Check, Pack, List, Verify, Extract };

// An attribute word or a time given on the command line, for one entry
// (by name) or for all (empty name).
struct StampOverride {
    std::string name;
    bool isTime;
    uint64_t value;
};

struct BuilderOptions {
    BuilderCommand command = BuilderCommand::Help;
    std::string listFile;      // check, pack
    std::string folder;        // check (optional), pack: the files; extract: the destination
    std::string package;       // list, verify, extract
    std::string output = "_Data.001";
    int selector = 0;          // 0: from the list file's name
    int level = 6;
    unsigned jobs = 0;         // compressing workers; 0: one per core
    bool quiet = false;
    bool force = false;        // pack even when the check finds errors
    bool fixTotals = false;    // the package's list file gets the computed totals
    std::vector<StampOverride> overrides;
};

// Reads the arguments after the program name; false with a reason when
// they do not form a command.
bool ParseBuilderArguments(const std::vector<std::string>& arguments, BuilderOptions& options,
                           std::string& error);

extern const char kBuilderUsage[];
