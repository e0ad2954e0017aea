#include "wizard/portable/page_start.h"

#include <algorithm>

#include "engine/portable/file_rules.h"
#include "engine/portable/list_file.h"
#include "registration/portable/product_keys.h"

namespace {

std::string Information(const InstallModel& model, int index)
{
    char line[kTextCapacity];
    GetInformationLine(model, index, line);
    return line;
}

std::string ReadOr(const SystemFacts& system, RootCode root, const char* key, const char* name,
                   const std::string& fallback)
{
    std::string value;
    return system.readValue(root, key, name, value) ? value : fallback;
}

void ChooseDestination(const InstallModel& model, const SystemFacts& system, InstallChoices& choices)
{
    if (model.systemInstall != 0) {
        CopyText(choices.destination, system.systemDirectory.c_str());
        return;
    }
    std::string programs = ReadOr(system, kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                  "ProgramFilesDir", FallbackProgramsFolder(system.windowsDirectory));
    CopyText(choices.destination, programs.c_str());
    JoinPath(choices.destination, Information(model, InfoDefaultFolder).c_str());
}

void ChooseUserDetails(const SystemFacts& system, InstallChoices& choices)
{
    const char* key = IsWindows9xFamily(system.osCode) ? "Software\\Microsoft\\Windows\\CurrentVersion"
                                                       : "Software\\Microsoft\\Windows NT\\CurrentVersion";
    CopyText(choices.userName, ReadOr(system, kLocalMachine, key, "RegisteredOwner", "").c_str());
    CopyText(choices.organization, ReadOr(system, kLocalMachine, key, "RegisteredOrganization", "").c_str());
}

// The toolset chosen by an earlier install of the product stays chosen.
bool StoredToolsetChoice(const InstallModel& model, const SystemFacts& system)
{
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, Information(model, InfoProductKey).c_str(), "", "Settings");
    return ParseNumber(ReadOr(system, system.installRoot, key, "Basalt", "0").c_str()) != 0;
}

}  // namespace

std::string FallbackProgramsFolder(const std::string& windowsDirectory)
{
    return windowsDirectory.substr(0, 3) + "Program Files";
}

PageStart ChoosePageStart(const InstallModel& model, const SystemFacts& system)
{
    PageStart start = {};
    InstallChoices& choices = start.choices;
    ChooseDestination(model, system, choices);
    bool systemInstall = model.systemInstall != 0;
    bool hasShortcut = !Information(model, InfoShortcutTarget).empty();
    start.offersShortcut = !systemInstall && hasShortcut;
    start.associationsOffered = static_cast<int>(std::min<std::size_t>(model.associations.size(), kDocumentKindCount));
    start.optionsPageShown = systemInstall || hasShortcut || start.associationsOffered > 0;

    ChooseUserDetails(system, choices);
    choices.programGroup = !systemInstall;
    CopyText(choices.groupName, (Information(model, InfoProductName) + " " + Information(model, InfoVersion)).c_str());
    for (int kind = 0; kind < start.associationsOffered; ++kind)
        choices.associations[kind] = true;
    choices.desktopShortcut = start.offersShortcut;
    choices.basalt = StoredToolsetChoice(model, system);
    choices.restartNow = true;
    return start;
}
