#include "engine_fixture.h"

#include <cstring>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/journal_end.h"
#include "engine/temp_cleanup.h"
#include "resources/string_ids.h"
#include "stand_in_main_window.h"
#include "wizard/form_install_view.h"
#include "wizard/wizard_state.h"

void EngineTest::SetUp()
{
    ResetWizardState();
    g_wizard.osCode = 5;
    CreateStandInMainWindow();
    ASSERT_TRUE(AllocateWorkBuffers());
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    root_ = std::string(base) + "InstalEngine";
    DeleteTree(root_);
    temp_ = root_ + "\\Temp";
    target_ = root_ + "\\Target";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA(temp_.c_str(), nullptr);
    CreateDirectoryA(target_.c_str(), nullptr);
    CopyText(g_wizard.unpacking.tempFolder, temp_.c_str());
    InstallJob& job = g_wizard.job;
    job.model = &g_wizard.model;
    CopyText(job.tempFolder, temp_.c_str());
    job.installRoot = kLocalMachine;
    job.osCode = 5;
    job.view = &FormInstallView();
    job.cancel = &g_wizard.cancel;
    ASSERT_EQ(OpenJournal(job.journal, kTestProductKey), JournalOpening::Opened);
}

void EngineTest::TearDown()
{
    UndoJournal(g_wizard.job.journal, nullptr, g_wizard.job.osCode);
    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model);
    FreeWorkBuffers();
    DestroyStandInMainWindow();
    DeleteTree(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\InstalTests");
}

void EngineTest::AddFileLine(const std::string& line)
{
    g_wizard.model.files.push_back(line);
    ++g_wizard.model.entryCount;
    // A line without a macro is as the destinations step leaves it.
    g_wizard.job.targetLines.push_back(line);
}

void EngineTest::PutInTemp(const std::string& name, const std::string& bytes)
{
    WriteBytes(TempPath(name), bytes);
}

std::string FontsFolder()
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, sizeof path);
    return std::string(path) + "\\Fonts";
}

std::string TestLibraryPath(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    *std::strrchr(path, '\\') = '\0';
    return std::string(path) + "\\" + name;
}

std::string TestLibrary(const char* name)
{
    return ReadBytes(TestLibraryPath(name));
}

std::string LongForm(const std::string& path)
{
    char longPath[MAX_PATH];
    DWORD length = GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    return length > 0 && length < sizeof longPath ? std::string(longPath) : path;
}

std::string ErrorText(const char* name, int stringId)
{
    std::string text = name != nullptr ? std::string(name) + ": " : std::string();
    return text + TableString(stringId) + " " + TableString(IDS_CANNOT_CONTINUE);
}
