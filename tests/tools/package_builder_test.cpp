#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/portable/package_walk.h"
#include "tools/builder_options.h"
#include "tools/file_bytes.h"
#include "tools/file_time.h"

namespace {

TEST(BuilderOptions, ReadsCommandsAndOverrides)
{
    BuilderOptions options;
    std::string error;
    ASSERT_TRUE(ParseBuilderArguments({"pack", "a/Setup.lst", "files", "-o", "out.pkg", "--level", "9",
                                       "--attributes", "21", "--attributes", "Llegiume.txt=FFFFFFFF",
                                       "--time", "Kestrel.exe=2001-02-03T04:05:06", "-q"},
                                      options, error)) << error;
    EXPECT_EQ(options.command, BuilderCommand::Pack);
    EXPECT_EQ(options.listFile, "a/Setup.lst");
    EXPECT_EQ(options.folder, "files");
    EXPECT_EQ(options.output, "out.pkg");
    EXPECT_EQ(options.level, 9);
    EXPECT_TRUE(options.quiet);
    ASSERT_EQ(options.overrides.size(), 3u);
    EXPECT_EQ(options.overrides[0].name, "");
    EXPECT_EQ(options.overrides[0].value, 0x21u);
    EXPECT_EQ(options.overrides[1].name, "Llegiume.txt");
    EXPECT_EQ(options.overrides[1].value, 0xFFFFFFFFu);
    EXPECT_TRUE(options.overrides[2].isTime);
    EXPECT_EQ(FormatFileTime(options.overrides[2].value), "2001-02-03 04:05:06");

    ASSERT_TRUE(ParseBuilderArguments({"extract", "p", "dir"}, options, error));
    EXPECT_EQ(options.package, "p");
    EXPECT_EQ(options.folder, "dir");
}

TEST(BuilderOptions, RefusesMalformedCommandLines)
{
    const std::vector<std::vector<std::string>> cases = {
        {}, {"pack"}, {"pack", "Setup.lst"}, {"pack", "a", "b", "c"}, {"list"}, {"frobnicate", "x"},
        {"pack", "a", "b", "--selector", "4"}, {"pack", "a", "b", "--level", "x"},
        {"pack", "a", "b", "--attributes", "xyz"}, {"pack", "a", "b", "--attributes", "100000000"},
        {"pack", "a", "b", "--time", "2001-13-01T00:00:00"}, {"pack", "a", "b", "--output"},
        {"pack", "a", "b", "--bogus", "1"}, {"verify", "p", "--level", "1"}, {"pack", "a", "b", "--jobs", "0"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        BuilderOptions options;
        std::string error;
        EXPECT_FALSE(ParseBuilderArguments(arguments, options, error)) << testing::PrintToString(arguments);
        EXPECT_FALSE(error.empty());
    }
}

TEST(FileTime, ConvertsBetweenTextAndFileTime)
{
    uint64_t value = 0;
    ASSERT_TRUE(ParseFileTimeText("1970-01-01T00:00:00", value));
    EXPECT_EQ(value, 116444736000000000ull);
    ASSERT_TRUE(ParseFileTimeText("2024-02-29 23:59:59", value));
    EXPECT_EQ(FormatFileTime(value), "2024-02-29 23:59:59");
    EXPECT_EQ(FormatFileTime(0), "1601-01-01 00:00:00");
    EXPECT_FALSE(ParseFileTimeText("2024-02-29T23:59", value));
    EXPECT_FALSE(ParseFileTimeText("2024-02-29T23:59:59Z", value));
}

struct RunResult {
    int status;
    std::string output;
};

RunResult RunBuilder(const std::string& arguments)
{
    std::string command = std::string(PACKAGE_BUILDER) + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    RunResult result = {-1, ""};
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        result.output.append(chunk, count);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string ListFile(const std::string& secondName, const std::string& total = "1000")
{
    return "Kind=1\r\nTitle=Kestrel\r\nName=Kestrel\r\nVersion=1\r\nFolder=Kestrel\r\nSystem=0\r\n"
           "Reserved=\r\nWelcome=Hi\r\nLanguage=Catala\r\nKey=Kestrel\r\nTotal=" + total + "\r\nEntries=2\r\n"
           "F=<AppDir>,Kestrel.exe,5,,,1,1,0\r\nF=<AppDir>\\Bin," + secondName + ",4,,,1,1,0\r\n"
           "Registry=0\r\nGroup=0\r\nAssoc=0\r\nShortcut=\r\nClosing=\r\nDisplay=Kestrel\r\n";
}

class BuilderProgram : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/builder-test.XXXXXX";
        folder_ = mkdtemp(pattern);
        files_ = folder_ + "/files";
        mkdir(files_.c_str(), 0777);
        package_ = folder_ + "/_Data.001";
        WriteFiles();
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    // The files of a good package, written again before each case.
    void WriteFiles()
    {
        WriteText(files_ + "/AppLogo.bmp", "BM logo");
        WriteText(files_ + "/KSUninst.exe", "MZ uninstaller");
        WriteText(files_ + "/Kestrel.exe", "MZexe");
        WriteText(files_ + "/Lib.dll", "lib!");
        WriteText(folder_ + "/Setup.lst", ListFile("Lib.dll"));
    }

    RunResult Pack(const std::string& extra = "")
    {
        return RunBuilder("pack " + folder_ + "/Setup.lst " + files_ + " -o " + package_ + " " + extra);
    }

    std::string folder_;
    std::string files_;
    std::string package_;
};

TEST_F(BuilderProgram, PacksInTheFormatsOrderWithStamps)
{
    RunResult packed = Pack("--time 2010-06-07T08:09:10 --attributes Lib.dll=FFFFFFFF --attributes Kestrel.exe=23");
    ASSERT_EQ(packed.status, 0) << packed.output;
    EXPECT_NE(packed.output.find("[  5/5] 100% Lib.dll"), std::string::npos) << packed.output;
    EXPECT_NE(packed.output.find("warning: the progress total is 1000"), std::string::npos)
        << "the list's total differs from the 142 unpacked bytes";

    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(package_, bytes, error));
    std::vector<std::string> seen;
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        seen.push_back(entry.name + ":" + std::string(reinterpret_cast<const char*>(entry.body), entry.bodySize));
        EXPECT_EQ(FormatFileTime(entry.header.writeTime), "2010-06-07 08:09:10");
        EXPECT_EQ(entry.header.creationTime, entry.header.writeTime);
        uint32_t expected = entry.name == "Lib.dll" ? 0xFFFFFFFF : entry.name == "Kestrel.exe" ? 0x23 : 0x20;
        EXPECT_EQ(entry.header.attributes, expected) << entry.name;
    });
    EXPECT_EQ(walk.status, WalkStatus::Complete);
    EXPECT_EQ(walk.selector, 2);
    EXPECT_EQ(walk.trailingBytes, 0u);
    const std::vector<std::string> expected = {"Setup.lst:" + ListFile("Lib.dll"), "AppLogo.bmp:BM logo",
                                               "KSUninst.exe:MZ uninstaller", "Kestrel.exe:MZexe", "Lib.dll:lib!"};
    EXPECT_EQ(seen, expected);
}

TEST_F(BuilderProgram, AFileTooLargeToHoldIsStreamedInItsPlace)
{
    std::string large(9u << 20, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>((i * 31 + (i >> 16)) & 0xFF);
    WriteText(files_ + "/Kestrel.exe", large);
    RunResult packed = Pack("--force -q");
    ASSERT_EQ(packed.status, 0) << packed.output;

    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(package_, bytes, error));
    std::vector<std::string> names;
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        names.push_back(entry.name);
        if (entry.name == "Kestrel.exe")
            EXPECT_TRUE(std::string(reinterpret_cast<const char*>(entry.body), entry.bodySize) == large);
    });
    EXPECT_EQ(walk.status, WalkStatus::Complete);
    EXPECT_EQ(walk.trailingBytes, 0u);
    EXPECT_EQ(names, (std::vector<std::string>{"Setup.lst", "AppLogo.bmp", "KSUninst.exe", "Kestrel.exe", "Lib.dll"}));

    EXPECT_EQ(RunBuilder("verify " + package_).status, 0);
    RunResult extracted = RunBuilder("extract " + package_ + " " + folder_ + "/out");
    ASSERT_EQ(extracted.status, 0) << extracted.output;
    EXPECT_TRUE(ReadText(folder_ + "/out/Kestrel.exe") == large);
    EXPECT_EQ(ReadText(folder_ + "/out/Lib.dll"), "lib!");
}

TEST_F(BuilderProgram, SelectorOverridesTheListFilesName)
{
    ASSERT_EQ(Pack("--selector 3 -q").status, 0);
    RunResult listed = RunBuilder("list " + package_);
    ASSERT_EQ(listed.status, 0) << listed.output;
    EXPECT_NE(listed.output.find("Instalar.lst"), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("KSUninst.exe"), std::string::npos);
    EXPECT_NE(listed.output.find("5 entries"), std::string::npos);
}

TEST_F(BuilderProgram, VerifyAndExtractRoundTrip)
{
    ASSERT_EQ(Pack("-q --time 2012-01-02T03:04:05").status, 0);
    RunResult verified = RunBuilder("verify " + package_);
    EXPECT_EQ(verified.status, 0) << verified.output;
    EXPECT_NE(verified.output.find("5 entries verified"), std::string::npos);

    RunResult extracted = RunBuilder("extract " + package_ + " " + folder_ + "/out");
    ASSERT_EQ(extracted.status, 0) << extracted.output;
    for (const char* name : {"AppLogo.bmp", "KSUninst.exe", "Kestrel.exe", "Lib.dll"})
        EXPECT_EQ(ReadText(folder_ + "/out/" + name), ReadText(files_ + "/" + name)) << name;
    EXPECT_EQ(ReadText(folder_ + "/out/Setup.lst"), ListFile("Lib.dll"));
    struct stat status;
    ASSERT_EQ(stat((folder_ + "/out/Kestrel.exe").c_str(), &status), 0);
    uint64_t expected = 0;
    ParseFileTimeText("2012-01-02T03:04:05", expected);
    EXPECT_EQ(FileTimeFromUnix(status.st_mtim.tv_sec, 0), expected);
}

TEST_F(BuilderProgram, DamagedPackagesFailVerification)
{
    ASSERT_EQ(Pack("-q").status, 0);
    std::string bytes = ReadText(package_);
    struct Case { std::string bytes; std::string message; };
    const Case cases[] = {
        {bytes.substr(0, bytes.size() - 2), "entry 5 (Lib.dll)"},
        {bytes + "junk", "4 bytes follow the 5 entries"},
        {"AE" + bytes.substr(2), "not a data package"},
        {bytes.substr(0, 4), "entry 1 (Setup.lst)"},
    };
    for (const Case& c : cases) {
        WriteText(package_, c.bytes);
        RunResult verified = RunBuilder("verify " + package_);
        EXPECT_EQ(verified.status, 1) << c.message;
        EXPECT_NE(verified.output.find(c.message), std::string::npos) << verified.output;
    }
}

TEST_F(BuilderProgram, ClearErrorsWithNonZeroExit)
{
    struct Case { std::string setup; std::string arguments; int status; std::string message; };
    std::string list = folder_ + "/Setup.lst";
    const Case cases[] = {
        {"rm " + files_ + "/Lib.dll", "", 1, "missing file " + files_ + "/Lib.dll"},
        {"rm " + files_ + "/AppLogo.bmp", "", 1, "missing file " + files_ + "/AppLogo.bmp"},
        {"printf 'Kind=1\\r\\nTitle\\r\\n' > " + list, "", 1, "malformed list file " + list + ": line 2 has no \"=\""},
        {"printf 'Kind=1\\r\\nTitle=x\\r\\n' > " + list, "", 1, "the file ends before line 3 ends"},
        {"", "-o /nonexistent/folder/_Data.001", 1, "cannot write /nonexistent/folder/_Data.001"},
        {"mv " + list + " " + folder_ + "/Other.lst", "", 1, "cannot read list file"},
        {"", "--level 11", 2, "--level must be 0 to 9"},
    };
    for (const Case& c : cases) {
        WriteFiles();
        if (!c.setup.empty())
            ASSERT_EQ(std::system(c.setup.c_str()), 0);
        RunResult packed = Pack(c.arguments);
        EXPECT_EQ(packed.status, c.status) << packed.output;
        EXPECT_NE(packed.output.find(c.message), std::string::npos) << packed.output;
    }
}

TEST_F(BuilderProgram, RefusesListsThatNameFilesOutsideTheFolder)
{
    WriteText(folder_ + "/Setup.lst", ListFile("..\\..\\evil.dll"));
    RunResult packed = Pack();
    EXPECT_EQ(packed.status, 1);
    EXPECT_NE(packed.output.find("not a plain file name"), std::string::npos) << packed.output;
    WriteText(folder_ + "/Other.lst", ListFile("Lib.dll"));
    RunResult unnamed = RunBuilder("pack " + folder_ + "/Other.lst " + files_ + " -o " + package_);
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_NE(unnamed.output.find("--selector"), std::string::npos) << unnamed.output;
}

TEST_F(BuilderProgram, CheckReportsEveryMistakeInOneRun)
{
    std::string list = ListFile("Lib.dll", "142");
    list.replace(list.find("Entries=2"), 9, "Entries=3");
    list.replace(list.find("<AppDir>\\Bin"), 12, "<AppDri>\\Bin");
    list.replace(list.find("Kestrel.exe,5,"), 14, "Kestrel.exe,999999,");
    WriteText(folder_ + "/Setup.lst", list);
    RunResult checked = RunBuilder("check " + folder_ + "/Setup.lst " + files_);
    EXPECT_EQ(checked.status, 1);
    std::string name = folder_ + "/Setup.lst";
    EXPECT_EQ(checked.output,
              name + ":12: error: the entry count is 3, but 2 file lines follow\n" +
              name + ":13: warning: Kestrel.exe is 5 bytes, but its size field says 999999\n" +
              name + ":14: error: the target folder \"<AppDri>\\Bin\" is neither an absolute path nor begins with "
                     "<WinDir>, <WinSysDir>, <Fonts> or <AppDir>\n" +
              name + ": 2 errors, 1 warning\n");

    // Warnings alone leave the exit status at 0; without a folder the
    // files are not compared.
    WriteText(folder_ + "/Setup.lst", ListFile("Lib.dll", "1000"));
    RunResult warned = RunBuilder("check " + name + " " + files_);
    EXPECT_EQ(warned.status, 0) << warned.output;
    EXPECT_NE(warned.output.find(":11: warning: the progress total is 1000, but the unpacked entries make 142 bytes"),
              std::string::npos) << warned.output;
    RunResult alone = RunBuilder("check " + name);
    EXPECT_EQ(alone.output, name + ": 0 errors, 0 warnings\n");
}

TEST_F(BuilderProgram, TheSamplesListFileChecksClean)
{
    for (const char* program : {"Kestrel.exe", "KestrelCore.dll", "KSUninst.exe"})
        WriteText(files_ + "/" + program, "MZ stand-in for the built program");
    std::string make = "/usr/bin/python3 " SOURCE_DIR "/sample/make_sample_files.py " + files_;
    ASSERT_EQ(std::system(make.c_str()), 0);
    RunResult checked = RunBuilder("check " + folder_ + "/Setup.lst " + files_);
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.output, folder_ + "/Setup.lst: 0 errors, 0 warnings\n");
}

TEST_F(BuilderProgram, PackagesAreTheSameWhateverTheWorkers)
{
    for (const char* program : {"Kestrel.exe", "KestrelCore.dll", "KSUninst.exe"})
        WriteText(files_ + "/" + program, std::string(100000, 'x') + program);
    ASSERT_EQ(std::system(("/usr/bin/python3 " SOURCE_DIR "/sample/make_sample_files.py " + files_).c_str()), 0);
    std::string packed[2];
    const char* jobs[] = {"1", "4"};
    for (int i = 0; i < 2; ++i) {
        RunResult run = RunBuilder("pack " + folder_ + "/Setup.lst " + files_ + " -q --jobs " + jobs[i] + " -o " +
                                   package_ + " --time 2024-03-01T09:00:00");
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(run.output, "") << "--quiet";
        packed[i] = ReadText(package_);
    }
    EXPECT_GT(packed[0].size(), 1000u);
    EXPECT_TRUE(packed[0] == packed[1]) << "one worker and four give the same bytes";
}

TEST_F(BuilderProgram, PackRefusesErrorsUnlessForced)
{
    std::string list = ListFile("Lib.dll", "142");
    list.replace(list.find("Registry=0"), 10, "Registry=1\r\nR=80000009H,Software\\K,Dir@<AppDir>");
    WriteText(folder_ + "/Setup.lst", list);
    RunResult refused = Pack("-q");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("Setup.lst:16: error: the registry root \"80000009H\""), std::string::npos)
        << refused.output;
    EXPECT_NE(refused.output.find("1 error in " + folder_ + "/Setup.lst; no package written"), std::string::npos)
        << refused.output;
    struct stat status;
    EXPECT_NE(stat(package_.c_str(), &status), 0) << "no package is written";

    RunResult forced = Pack("-q --force");
    EXPECT_EQ(forced.status, 0) << forced.output;
    EXPECT_EQ(RunBuilder("verify " + package_).status, 0);
}

TEST_F(BuilderProgram, FixTotalsWritesTheRightTotalsIntoThePackagesCopy)
{
    std::string wrong = ListFile("Lib.dll", "1000");
    wrong.replace(wrong.find("Kestrel.exe,5,"), 14, "Kestrel.exe,3,");   // the bar would step back
    WriteText(folder_ + "/Setup.lst", wrong);
    RunResult packed = Pack("--fix-totals");
    ASSERT_EQ(packed.status, 0) << packed.output;
    EXPECT_NE(packed.output.find(":11: note: progress total written as 142 in the package's copy (the list file "
                                 "says 1000)"), std::string::npos) << packed.output;
    EXPECT_EQ(packed.output.find("warning"), std::string::npos) << packed.output;
    EXPECT_EQ(ReadText(folder_ + "/Setup.lst"), wrong) << "the publisher's file is left as it is";

    std::vector<unsigned char> bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(package_, bytes, error));
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [](const WalkedEntry&) {});
    ASSERT_EQ(walk.status, WalkStatus::Complete);
    EXPECT_EQ(walk.list.progressTotal, 142u);
    const std::vector<std::string> files = {"<AppDir>,Kestrel.exe,5,,,1,1,0", "<AppDir>\\Bin,Lib.dll,4,,,1,1,0"};
    EXPECT_EQ(walk.list.files, files);
}

TEST(BuilderHelp, PrintsUsage)
{
    RunResult help = RunBuilder("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("package_builder pack LISTFILE FOLDER"), std::string::npos);
    EXPECT_NE(help.output.find("package_builder check LISTFILE [FOLDER]"), std::string::npos);
    EXPECT_NE(help.output.find("--fix-totals"), std::string::npos);
    EXPECT_EQ(RunBuilder("").status, 2);
}

}  // namespace
