// The wizard loads no library from the folder it was started from, and the
// means to that do not keep it from starting on systems that lack them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "base/portable/exit_codes.h"
#include "import_table.h"
#include "e2e_fixture.h"
#include "test_environment.h"
#include "wizard/control_ids.h"
#include "wizard_wine_settings.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Windows takes these from its own folder whatever the search order (the
// known libraries), or from its side-by-side store (comctl32, which each
// program's manifest names).
const std::set<std::string> kSystemLibraries = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll",
    "comctl32.dll",
};

TEST(ImportTables, EachProgramImportsOnlyLibrariesThatWindowsTakesFromItsOwnFolder)
{
    for (const char* program : {"Instal.exe", "sample\\files\\Kestrel.exe", "sample\\files\\KSUninst.exe"}) {
        std::vector<std::string> libraries;
        ASSERT_TRUE(ReadImportedLibraries(ReadBytes(BuildFile(program)), libraries)) << program;
        EXPECT_FALSE(libraries.empty()) << program;
        for (const std::string& library : libraries)
            EXPECT_EQ(kSystemLibraries.count(Lower(library)), 1u) << program << " imports " << library;
    }
}

// Windows 98 has none of the calls that narrow the search.
TEST_F(EndToEnd, TheWizardStartsWhenTheSystemIsWindows98)
{
    WizardWineSettings wine;
    ASSERT_TRUE(wine.ReportVersion("win98"));
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    session.SaveScreenshot("e2e-windows98-welcome");
    session.Click(btnCancel);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
}

}  // namespace
