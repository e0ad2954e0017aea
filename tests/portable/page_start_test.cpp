#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/portable/os_code.h"
#include "wizard/portable/page_start.h"

namespace {

using Registry = std::map<std::tuple<RootCode, std::string, std::string>, std::string>;

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kOwner9x[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kOwnerNt[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const char kSettings[] = "SOFTWARE\\TWC Products\\Kestrel\\Settings";

struct Case {
    const char* what;
    int osCode;
    RootCode installRoot;
    const char* systemInstall;
    const char* shortcutTarget;
    int associationLines;
    Registry registry;
    // Expected:
    const char* destination;
    const char* userName;
    const char* organization;
    bool programGroup;
    std::vector<bool> associations;
    bool offersShortcut;
    bool basalt;
    bool optionsPage;
};

InstallModel Model(const Case& c)
{
    InstallModel model;
    model.systemInstall = c.systemInstall[0] - '0';
    model.information = {"Kestrel", "2.0", "Kestrel", c.systemInstall, "", "Benvinguts", "Catala", "Kestrel",
                         c.shortcutTarget, "", "Kestrel 2.0"};
    for (int k = 0; k < c.associationLines; ++k)
        model.associations.push_back(".k" + std::to_string(k) + ",Kind,<AppDir>\\Kestrel.exe");
    return model;
}

SystemFacts Facts(const Case& c)
{
    const Registry* registry = &c.registry;
    return {c.osCode, c.installRoot, "E:\\WINNT", "E:\\WINNT\\system32",
            [registry](RootCode root, const char* key, const char* name, std::string& value) {
                auto found = registry->find({root, key, name});
                if (found == registry->end())
                    return false;
                value = found->second;
                return true;
            }};
}

TEST(PageStart, EveryDefaultComesFromTheModelAndTheSystemWithoutAWindow)
{
    const Registry nt = {
        {{kLocalMachine, kCurrentVersion, "ProgramFilesDir"}, "D:\\Programes"},
        {{kLocalMachine, kOwnerNt, "RegisteredOwner"}, "Anna"},
        {{kLocalMachine, kOwnerNt, "RegisteredOrganization"}, "Tallwood"},
        {{kLocalMachine, kOwner9x, "RegisteredOwner"}, "not on NT"},
        {{kCurrentUser, kSettings, "Basalt"}, "1"},
    };
    const Registry windows98 = {
        {{kLocalMachine, kOwner9x, "RegisteredOwner"}, "Pere"},
        {{kLocalMachine, kOwnerNt, "RegisteredOwner"}, "not on 98"},
        {{kLocalMachine, kSettings, "Basalt"}, "1"},
    };
    const Case cases[] = {
        {"an ordinary install on XP", OsWindowsXP, kCurrentUser, "0", "<AppDir>\\Kestrel.exe", 1, nt,
         "D:\\Programes\\Kestrel", "Anna", "Tallwood", true, {true, false, false, false}, true, true, true},
        {"Windows 98 without a programs folder value; the setting under another root", OsWindows98, kCurrentUser,
         "0", "<AppDir>\\Kestrel.exe", 5, windows98,
         "E:\\Program Files\\Kestrel", "Pere", "", true, {true, true, true, true}, true, false, true},
        {"a system install", OsWindows2000, kLocalMachine, "1", "<AppDir>\\Kestrel.exe", 0, nt,
         "E:\\WINNT\\system32", "Anna", "Tallwood", false, {false, false, false, false}, false, false, true},
        {"no shortcut target and no associations", OsWindowsLater, kCurrentUser, "0", "", 0, {},
         "E:\\Program Files\\Kestrel", "", "", true, {false, false, false, false}, false, false, false},
        {"associations alone keep the options page", OsWindowsLater, kCurrentUser, "0", "", 2, {},
         "E:\\Program Files\\Kestrel", "", "", true, {true, true, false, false}, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageStart start = ChoosePageStart(Model(c), Facts(c));
        const InstallChoices& choices = start.choices;
        EXPECT_STREQ(choices.destination, c.destination);
        EXPECT_STREQ(choices.userName, c.userName);
        EXPECT_STREQ(choices.organization, c.organization);
        EXPECT_EQ(choices.programGroup, c.programGroup);
        EXPECT_STREQ(choices.groupName, "Kestrel 2.0");
        for (int kind = 0; kind < kDocumentKindCount; ++kind)
            EXPECT_EQ(choices.associations[kind], c.associations[kind]) << "kind " << kind;
        EXPECT_EQ(start.associationsOffered, std::min(c.associationLines, 4));
        EXPECT_EQ(start.offersShortcut, c.offersShortcut);
        EXPECT_EQ(choices.desktopShortcut, c.offersShortcut) << "offered means checked";
        EXPECT_EQ(choices.basalt, c.basalt);
        EXPECT_TRUE(choices.restartNow);
        EXPECT_EQ(start.optionsPageShown, c.optionsPage);
    }
}

}  // namespace
