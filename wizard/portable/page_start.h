#pragma once
// What the pages start with, worked out before any page exists: the user's
// answers filled with their defaults from the list file and the system, and
// what the options page offers.
#include <functional>
#include <string>

#include "base/portable/root_codes.h"
#include "engine/portable/install_choices.h"
#include "engine/portable/install_model.h"

// What the defaults read from the system; a test hands its own.
struct SystemFacts {
    int osCode;
    RootCode installRoot;               // where the product's settings are kept
    std::string windowsDirectory;
    std::string systemDirectory;
    // A string value of the registry; false when it is absent.
    std::function<bool(RootCode root, const char* key, const char* name, std::string& value)> readValue;
};

struct PageStart {
    InstallChoices choices;
    bool offersShortcut;                // the desktop shortcut's frame shows
    int associationsOffered;            // the first kinds' boxes show, this many
    bool optionsPageShown;
};

PageStart ChoosePageStart(const InstallModel& model, const SystemFacts& system);

// The programs folder of a machine without the registry's value: the
// Windows drive's usual one.
std::string FallbackProgramsFolder(const std::string& windowsDirectory);
