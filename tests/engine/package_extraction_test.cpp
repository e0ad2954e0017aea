#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <zlib.h>

#include "base/system_version.h"
#include "base/portable/text_helpers.h"
#include "engine/journal_end.h"
#include "engine/list_reader.h"
#include "engine/package_extraction.h"
#include "engine/portable/entry_codec.h"
#include "engine/portable/package_walk.h"
#include "engine/portable/package_writer.h"
#include "engine/progress_hook.h"
#include "engine/temp_folder.h"
#include "message_box_catcher.h"
#include "stand_in_main_window.h"
#include "test_environment.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/form_install_view.h"
#include "wizard/wizard_state.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string InFolder(const std::string& folder, const std::string& name)
{
    char path[kTextCapacity];
    CopyText(path, folder.c_str());
    JoinPath(path, name.c_str());
    return path;
}

std::string TempFolder()
{
    char folder[kTextCapacity];
    GetTempFolder(folder);
    return folder;
}

std::string WindowsFolder()
{
    char folder[kTextCapacity];
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

void RemoveFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

uint64_t LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

// A bar position and the bytes counted when it was set.
struct BarStep {
    unsigned position;
    uint64_t done;
};

std::vector<BarStep> g_barSteps;
WNDPROC g_barProc;

LRESULT CALLBACK RecordingBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PBM_SETPOS)
        g_barSteps.push_back({static_cast<unsigned>(wParam), g_wizard.unpacking.progress.count.done});
    return CallWindowProcA(g_barProc, window, message, wParam, lParam);
}

// A package with the list file, logo, uninstaller and the listed files.
struct PackageParts {
    std::string listFile;
    std::vector<std::string> bodies;   // logo, uninstaller, then one per file line
};

const char kListHead[] =
    "Kind=1\r\nTitle=Kestrel\r\nName=Kestrel\r\nVersion=1\r\nFolder=Kestrel\r\nSystem=0\r\n"
    "Reserved=\r\nWelcome=Hi\r\nLanguage=Catala\r\nKey=Kestrel\r\nTotal=%u\r\nEntries=%u\r\n";
const char kListTail[] = "Registry=0\r\nGroup=0\r\nAssoc=0\r\nShortcut=\r\nClosing=\r\nDisplay=Kestrel\r\n";

PackageParts MakeParts(const std::vector<std::string>& names, uint32_t total = 1000)
{
    char head[512];
    std::snprintf(head, sizeof head, kListHead, total, static_cast<unsigned>(names.size()));
    PackageParts parts = {head, {"BM logo", "MZ uninstaller"}};
    for (const std::string& name : names) {
        parts.listFile += "F=<AppDir>," + name + ",5,,,1,1,0\r\n";
        parts.bodies.push_back("body of " + name);
    }
    parts.listFile += kListTail;
    return parts;
}

Bytes Pack(const PackageParts& parts, std::size_t entries = SIZE_MAX)
{
    Bytes package = StartPackage(2);
    EntryHeader header = {FILE_ATTRIBUTE_ARCHIVE, 130000000000000000ull, 130000000000000000ull,
                          130000000000000000ull};
    AppendEntryRecord(package, header, reinterpret_cast<const unsigned char*>(parts.listFile.data()),
                      parts.listFile.size(), 6);
    for (std::size_t i = 0; i < parts.bodies.size() && i + 1 < entries; ++i)
        AppendEntryRecord(package, header, reinterpret_cast<const unsigned char*>(parts.bodies[i].data()),
                          parts.bodies[i].size(), 6);
    return package;
}

class PackageExtraction : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        CreateStandInMainWindow();
        GetCurrentDirectoryA(sizeof previous_, previous_);
        work_ = InFolder(TempFolder(), "package-test");
        CreateDirectoryA(work_.c_str(), nullptr);
        SetCurrentDirectoryA(work_.c_str());
        RemoveFile(InFolder(WindowsFolder(), "KSUninst.exe"));
        RemoveFile(InFolder(WindowsFolder(), "TWUninst.exe"));
        g_barSteps.clear();
        HWND bar = ControlWindow(prbPerCent);
        g_barProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingBarProc)));
    }
    void TearDown() override
    {
        UndoJournal(g_wizard.job.journal, nullptr, SystemOsCode());
        DestroyStandInMainWindow();
        SetCurrentDirectoryA(previous_);
        RemoveFile(InFolder(work_, "_Data.001"));
        RemoveDirectoryA(work_.c_str());
    }

    void UsePackage(const Bytes& bytes)
    {
        WriteBytes(InFolder(work_, "_Data.001"), std::string(bytes.begin(), bytes.end()));
    }

    char previous_[MAX_PATH];
    std::string work_;
};

// An entry laid out as the format says, built and compressed here with zlib
// itself: the expectations owe nothing to the product's own package code.
struct HandEntry {
    std::string name;      // where it must land: a file name in the temp folder, or the uninstaller
    DWORD attributes;      // 0xFFFFFFFF: the system's own
    uint64_t writeTime;
    std::string body;
};

void PutWord(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(value >> shift);
}

std::string HandPackage(const std::vector<HandEntry>& entries)
{
    std::string package("\x45\x41\x00\x02", 4);   // magic, then selector 2: Setup.lst
    for (const HandEntry& entry : entries) {
        std::string block;
        PutWord(block, entry.attributes);
        for (int time = 0; time < 3; ++time) {
            PutWord(block, static_cast<uint32_t>(entry.writeTime));
            PutWord(block, static_cast<uint32_t>(entry.writeTime >> 32));
        }
        block += entry.body;
        uLongf packedSize = compressBound(static_cast<uLong>(block.size()));
        std::string packed(packedSize, '\0');
        compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(block.data()),
                  static_cast<uLong>(block.size()), 6);
        packed.resize(packedSize);
        PutWord(package, static_cast<uint32_t>(block.size()));
        PutWord(package, static_cast<uint32_t>(packed.size()));
        package += packed;
    }
    return package;
}

TEST_F(PackageExtraction, EveryEntryLandsWithItsBytesTimeAndAttributes)
{
    const uint64_t kMay2004 = 127283616000000000ull, kJune2010 = 129214080000000000ull;
    std::vector<HandEntry> entries = {
        {"Setup.lst", FILE_ATTRIBUTE_ARCHIVE, kMay2004, ""},
        {"AppLogo.bmp", FILE_ATTRIBUTE_ARCHIVE, kMay2004, "BM a logo"},
        {"KSUninst.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, kJune2010, "MZ an uninstaller"},
        {"Kestrel.exe", 0xFFFFFFFF, kJune2010, std::string(70000, 'k') + "end"},
        {"Llegiume.txt", FILE_ATTRIBUTE_READONLY, kMay2004, "Llegiu-me"},
    };
    entries[0].body = "Tipus=1\r\nTitol=Kestrel\r\nProducte=Kestrel\r\nVersio=1\r\nCarpeta=Kestrel\r\nSistema=0\r\n"
                      "Reservat=\r\nBenvinguda=Hola\r\nIdioma=Catala\r\nClau=KestrelHand\r\nTotal=70150\r\n"
                      "Fitxers=2\r\nF=<AppDir>,Kestrel.exe,70003,,,1,1,0\r\nF=<AppDir>,Llegiume.txt,9,,,1,1,0\r\n"
                      "Registre=0\r\nGrup=0\r\nAssociacions=0\r\nDrecera=\r\nMissatge=\r\nDesinstal=Kestrel\r\n";
    std::string package = HandPackage(entries);
    UsePackage(Bytes(package.begin(), package.end()));

    MessageBoxCatcher catcher;
    ASSERT_NE(ExtractPackage(g_wizard.unpacking), 0);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(g_wizard.unpacking.package, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(IsWindowEnabled(ControlWindow(btnCancel)));
    char status[kTextCapacity];
    GetControlText(stcFile, status);
    EXPECT_STREQ(status, "");

    std::string temp = TempFolder();
    EXPECT_FALSE(Exists(InFolder(temp, "Setup.lst"))) << "the list file is deleted after reading";
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const HandEntry& entry = entries[i];
        bool uninstaller = entry.name == "KSUninst.exe";
        std::string path = InFolder(uninstaller ? WindowsFolder() : temp, entry.name);
        DWORD expected = entry.attributes == 0xFFFFFFFF ? FILE_ATTRIBUTE_ARCHIVE : entry.attributes;
        // Wine reports every file as archived, whatever it was given.
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & ~FILE_ATTRIBUTE_ARCHIVE, expected & ~FILE_ATTRIBUTE_ARCHIVE)
            << entry.name;
        EXPECT_EQ(LastWriteTime(path), entry.writeTime) << entry.name;
        EXPECT_EQ(ReadBytes(path), entry.body) << entry.name;
    }
    EXPECT_EQ(ReadBytes(InFolder(WindowsFolder(), "TWUninst.exe")), entries[2].body) << "the uninstaller's second copy";
    // 9 + 17 + 70003 + 9 body bytes and four 28-byte headers: every entry but the list file.
    EXPECT_EQ(g_wizard.unpacking.progress.count.done, 70150u);

    ASSERT_FALSE(g_barSteps.empty());
    EXPECT_EQ(g_barSteps.back().position, 100u);
    for (std::size_t i = 1; i < g_barSteps.size(); ++i)
        EXPECT_GE(g_barSteps[i].position, g_barSteps[i - 1].position) << "step " << i;
}

TEST_F(PackageExtraction, TheBarReachesHundredByTheProgressTotal)
{
    PackageParts parts = MakeParts({"a.bin", "b.bin", "c.bin"}, 3000);
    for (std::string& body : parts.bodies)
        body.assign(972, 'x');   // 1000 bytes with the header
    UsePackage(Pack(parts));
    ASSERT_NE(ExtractPackage(g_wizard.unpacking), 0);
    EXPECT_EQ(g_wizard.unpacking.progress.count.done, 5000u);
    // Each entry ends on a whole thousand bytes: a third of the total each.
    const BarStep atEntryEnds[] = {{33, 1000}, {66, 2000}, {100, 3000}, {100, 4000}};
    for (const BarStep& expected : atEntryEnds) {
        bool seen = false;
        for (const BarStep& step : g_barSteps) {
            if (step.done == expected.done) {
                seen = true;
                EXPECT_EQ(step.position, expected.position) << "at " << step.done << " bytes";
            }
        }
        EXPECT_TRUE(seen) << "the bar is set when " << expected.done << " bytes are done";
    }
    bool reached = false;
    for (const BarStep& step : g_barSteps) {
        if (step.done >= 3000)
            EXPECT_EQ(step.position, 100u) << "at " << step.done << " bytes";
        reached = reached || step.position == 100;
        if (reached)
            EXPECT_EQ(step.position, 100u) << "and stays there";
    }
    EXPECT_TRUE(reached);
}

TEST_F(PackageExtraction, DamagedPackagesGiveTheirOneMessage)
{
    PackageParts good = MakeParts({"one.txt", "two.txt"});
    Bytes complete = Pack(good);
    Bytes cut = complete;
    cut.resize(cut.size() - 3);
    Bytes smallSize = complete;
    // The last entry's unpacked size is one byte short of its block.
    std::size_t lastRecord = 0;
    WalkPackage(complete.data(), complete.size(), [&](const WalkedEntry& entry) { lastRecord = entry.offset; });
    smallSize[lastRecord] -= 1;
    Bytes hugeSizes = cut;
    for (int i = 0; i < 8; ++i)
        hugeSizes[lastRecord + i] = 0xFF;
    Bytes shortBlock = StartPackage(2);
    {
        Bytes stream;
        DeflateEntry(reinterpret_cast<const unsigned char*>("tiny"), 4, 6, stream);
        unsigned char sizes[kEntrySizesLength];
        EncodeEntrySizes({4, static_cast<uint32_t>(stream.size())}, sizes);
        shortBlock.insert(shortBlock.end(), sizes, sizes + kEntrySizesLength);
        shortBlock.insert(shortBlock.end(), stream.begin(), stream.end());
    }
    // Cut where the decoder has written part of the file already.
    PackageParts large = MakeParts({"big.bin"});
    std::mt19937 noise(7);
    large.bodies.back().resize(1 << 20);
    for (char& byte : large.bodies.back())
        byte = static_cast<char>(noise());
    Bytes cutLarge = Pack(large);
    cutLarge.resize(cutLarge.size() - (1 << 18));
    Bytes selector0 = complete;
    selector0[3] = 0;
    Bytes selector4 = complete;
    selector4[3] = 4;

    const std::string damaged = Ansi("El fitxer de dades està fet malbé. L'Assistent d'instal·lació no pot continuar.");
    struct Case { const char* what; bool present; Bytes bytes; std::string message; };
    const Case cases[] = {
        {"missing file", false, {}, Ansi("No s'ha trobat el fitxer de dades. L'Assistent d'instal·lació no pot continuar.")},
        {"1-byte file", true, {0x45}, damaged},
        {"bytes 0x41 0x45", true, {0x41, 0x45, 0x00, 0x02}, damaged},
        {"selector 0", true, selector0, damaged},
        {"selector 4", true, selector4, damaged},
        {"cut zlib stream", true, cut, damaged},
        {"cut stream of a large file", true, cutLarge, damaged},
        {"unpacked size smaller than the data", true, smallSize, damaged},
        {"sizes far beyond the package", true, hugeSizes, damaged},
        {"entry count larger than the entries", true, Pack(good, 4), damaged},
        {"block shorter than its header", true, shortBlock, damaged},
        {"traversal name", true, Pack(MakeParts({"..\\escaped.txt"})),
         Ansi("Setup.lst: El fitxer està fet malbé. L'Assistent d'instal·lació no pot continuar.")},
        {"drive in a name", true, Pack(MakeParts({"C:escaped.txt"})),
         Ansi("Setup.lst: El fitxer està fet malbé. L'Assistent d'instal·lació no pot continuar.")},
    };
    for (const Case& c : cases) {
        RemoveFile(InFolder(work_, "_Data.001"));
        if (c.present)
            UsePackage(c.bytes);
        MessageBoxCatcher catcher;
        EXPECT_EQ(ExtractPackage(g_wizard.unpacking), 0) << c.what;
        ASSERT_EQ(catcher.boxes().size(), 1u) << c.what;
        EXPECT_EQ(catcher.boxes()[0].text, c.message) << c.what;
        EXPECT_EQ(g_wizard.unpacking.package, INVALID_HANDLE_VALUE) << c.what << ": the package is closed";
        // Each case is a run of its own: its end undoes and closes its journal.
        UndoJournal(g_wizard.job.journal, nullptr, SystemOsCode());
    }
    std::string parent = TempFolder().substr(0, TempFolder().rfind('\\'));
    EXPECT_EQ(GetFileAttributesA(InFolder(parent, "escaped.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing was written outside the temp folder";
    EXPECT_EQ(GetFileAttributesA(InFolder(TempFolder(), "big.bin").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the partial file of a cut stream is gone";
}

TEST_F(PackageExtraction, ADamagedListFileIsNotLeftInTheTempFolder)
{
    PackageParts parts = MakeParts({"one.txt"});
    parts.listFile = "Kind=1\r\nTitle=cut short\r\n";
    UsePackage(Pack(parts));
    MessageBoxCatcher catcher;
    EXPECT_EQ(ExtractPackage(g_wizard.unpacking), 0);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(GetFileAttributesA(InFolder(TempFolder(), "Setup.lst").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PackageExtraction, CancelStopsBetweenEntriesWithoutAMessage)
{
    UsePackage(Pack(MakeParts({"first.txt", "second.txt"})));
    std::string temp = TempFolder();
    RemoveFile(InFolder(temp, "second.txt"));
    g_wizard.cancel = 1;
    MessageBoxCatcher catcher;
    EXPECT_EQ(ExtractPackage(g_wizard.unpacking), 0);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(g_wizard.unpacking.package, INVALID_HANDLE_VALUE);
    EXPECT_NE(GetFileAttributesA(InFolder(temp, "first.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(InFolder(temp, "second.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveFile(InFolder(temp, "first.txt"));
}

TEST_F(PackageExtraction, ReplacesAReadOnlyHiddenFileInTheTempFolder)
{
    std::string target = InFolder(TempFolder(), "locked.txt");
    WriteBytes(target, "old");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    PackageParts parts = MakeParts({"locked.txt"});
    UsePackage(Pack(parts));
    ASSERT_NE(ExtractPackage(g_wizard.unpacking), 0);
    EXPECT_EQ(ReadBytes(target), parts.bodies.back());
    EXPECT_EQ(GetFileAttributesA(target.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    RemoveFile(target);
}

TEST_F(PackageExtraction, ProgressHookCountsStreamsOnceTheBarIsSet)
{
    HWND bar = ControlWindow(prbPerCent);
    ProgressState& progress = g_wizard.unpacking.progress;
    ProgressHook(progress, 500, true);
    EXPECT_EQ(g_wizard.unpacking.progress.count.done, 0u) << "inert before a bar is set";
    EXPECT_TRUE(g_barSteps.empty());

    SetProgressTarget(progress, &FormInstallView(), 1000);
    struct Call { uint32_t count; bool end; unsigned position; };
    const Call calls[] = {
        {100, false, 10}, {300, false, 30}, {500, true, 50},     // one stream of 500 bytes
        {200, false, 70}, {450, true, 95},                      // a second of 450
        {80, true, 100}, {900, true, 100},                      // beyond the total: capped
    };
    for (const Call& call : calls) {
        ProgressHook(progress, call.count, call.end);
        EXPECT_EQ(static_cast<unsigned>(SendMessageA(bar, PBM_GETPOS, 0, 0)), call.position);
    }
    EXPECT_EQ(g_wizard.unpacking.progress.count.done, 1930u);
}

}  // namespace
