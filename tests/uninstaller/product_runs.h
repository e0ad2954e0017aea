#pragma once
// What the uninstaller's Wine tests share: the product's keys and paths, a
// snapshot of the machine (registry areas and drive C) and its differences,
// the real wizard's install of the sample and the system's way of removing
// it, and a fixture that starts each test from a machine without the product.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "wizard_session.h"

extern const char kProductRecord[];
extern const char kUninstallRecord[];
extern const char kSystemEntry[];
extern const char kSharedLibraries[];
extern const char kRunOnce[];
extern const char kUninstallerClass[];

std::string Destination();
std::string WindowsFolder();
std::string UninstallerPath();
std::string ShortPath(const std::string& path);
std::string ReadString(HKEY root, const char* key, const char* name);
void WriteString(HKEY root, const std::string& key, const char* name, const std::string& value);
DWORD ReadCount(const std::string& name);
bool KeyExists(HKEY root, const char* key);

std::set<std::string> Snapshot();
bool Contains(const std::string& text, const std::string& part);
// Lines that differ between the snapshots, except the named leftovers.
std::vector<std::string> Differences(const std::set<std::string>& before, const std::set<std::string>& after,
                                     const std::vector<std::string>& leftovers);
// The differences one per line, for a failure's message.
std::string Listed(const std::vector<std::string>& differences);

// From the welcome page through the options to the Install click; false
// when a page did not come.
bool ClickUpToInstall(WizardSession& session);
void InstallSample(const char* screenshotPrefix = nullptr);
// A library's bytes with the file version of its fixed version information
// lowered to 0.9.
std::string LibraryOfVersion09(std::string bytes);
// What a restart does (the pending renames, the run-once commands), and
// true once it is done.
bool RestartTheSystem();
std::string UninstallString();
// The uninstaller's exit code after a run without questions.
DWORD RunSilently(const std::string& arguments, MessageBoxSeen* box = nullptr);

struct AskedRemoval {
    std::string question;
    std::string closing;
    DWORD exitCode = STILL_ACTIVE;
};
// The system's way: the uninstall command as recorded, Yes to the question
// and OK to the closing message, which ends the program.
AskedRemoval RemoveAsTheSystemDoes(const std::string& commandLine, const char* screenshotPrefix = nullptr);

// What a removal leaves on purpose: the uninstaller's own two copies, shared
// by every product; the font, which the sample's list file does not record
// for removal (with its font value); the shell's own settings key that Wine's
// shell makes on first use; and the tests' own temporary files.
extern const std::vector<std::string> kIntendedLeftovers;

class Uninstaller : public testing::Test {
protected:
    void SetUp() override;
};
