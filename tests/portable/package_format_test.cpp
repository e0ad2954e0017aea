#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/portable/entry_codec.h"
#include "engine/portable/package_format.h"
#include "engine/portable/package_walk.h"
#include "engine/portable/package_writer.h"
#include "engine/portable/progress_count.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// Text that compresses into several deflate blocks of both kinds: runs of
// pseudo-random bytes (stored or dynamic) between long repetitions.
Bytes MixedData(std::size_t size)
{
    Bytes data(size);
    uint32_t state = 12345;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1103515245 + 12345;
        bool noisy = (i / 50000) % 2 == 0;
        data[i] = noisy ? static_cast<unsigned char>(state >> 24) : static_cast<unsigned char>('a' + i % 7);
    }
    return data;
}

Bytes Deflate(const Bytes& data, int level = 6)
{
    Bytes stream;
    EXPECT_TRUE(DeflateEntry(data.data(), data.size(), level, stream));
    return stream;
}

TEST(PackageHeader, AcceptsOnlyTheMagicAndTheThreeSelectors)
{
    struct Case { Bytes bytes; int selector; };
    const Case cases[] = {
        {{0x45, 0x41, 0x00, 0x01}, 1},
        {{0x45, 0x41, 0xFF, 0x02}, 2},     // the third byte is ignored
        {{0x45, 0x41, 0x7E, 0x03}, 3},
        {{0x45, 0x41, 0x00, 0x00}, 0},
        {{0x45, 0x41, 0x00, 0x04}, 0},
        {{0x41, 0x45, 0x00, 0x01}, 0},     // the magic's bytes swapped
        {{0x45}, 0},
        {{0x45, 0x41, 0x00}, 0},
        {{}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePackageHeader(c.bytes.data(), c.bytes.size()), c.selector);
    EXPECT_FALSE(HasPackageMagic(Bytes{0x45}.data(), 1));
}

TEST(PackageHeader, SelectorsNameTheListFiles)
{
    EXPECT_STREQ(ListFileNameForSelector(1), "Instal.lst");
    EXPECT_STREQ(ListFileNameForSelector(2), "Setup.lst");
    EXPECT_STREQ(ListFileNameForSelector(3), "Instalar.lst");
    EXPECT_EQ(ListFileNameForSelector(0), nullptr);
    EXPECT_EQ(ListFileNameForSelector(4), nullptr);
    EXPECT_EQ(SelectorForListFileName("SETUP.LST"), 2);
    EXPECT_EQ(SelectorForListFileName("Instalar.lst"), 3);
    EXPECT_EQ(SelectorForListFileName("Instal.ls"), 0);
}

TEST(EntryHeader, RoundTripsLittleEndian)
{
    EntryHeader header = {0x00000021, 0x01D2C3B4A5968778ull, 0x0102030405060708ull, 0xFFFFFFFF00000001ull};
    unsigned char bytes[kEntryHeaderSize];
    EncodeEntryHeader(header, bytes);
    EXPECT_EQ(bytes[0], 0x21);
    EXPECT_EQ(bytes[4], 0x78) << "creation time, low word first";
    EXPECT_EQ(bytes[11], 0x01);
    EXPECT_EQ(bytes[20], 0x01);
    EXPECT_EQ(bytes[27], 0xFF);
    EntryHeader decoded = {};
    ASSERT_TRUE(DecodeEntryHeader(bytes, sizeof bytes, decoded));
    EXPECT_EQ(decoded.attributes, header.attributes);
    EXPECT_EQ(decoded.creationTime, header.creationTime);
    EXPECT_EQ(decoded.accessTime, header.accessTime);
    EXPECT_EQ(decoded.writeTime, header.writeTime);
    EXPECT_FALSE(DecodeEntryHeader(bytes, kEntryHeaderSize - 1, decoded)) << "a block shorter than its header";

    unsigned char sizeBytes[kEntrySizesLength];
    EncodeEntrySizes({0x12345678, 0x9A}, sizeBytes);
    EXPECT_EQ(sizeBytes[0], 0x78);
    EXPECT_EQ(sizeBytes[4], 0x9A);
    EXPECT_EQ(DecodeEntrySizes(sizeBytes).unpacked, 0x12345678u);
}

TEST(FileNames, OnlyPlainNamesStayInTheFolder)
{
    struct Case { const char* name; bool plain; };
    const Case cases[] = {
        {"Kestrel.exe", true}, {"a..b.txt", true}, {"Llegiume.txt", true}, {"CONFIG.SYS", true},
        {"COM.txt", true}, {"LPTX", true},
        {"", false}, {".", false}, {"..", false}, {"..\\Kestrel.exe", false}, {"Bin\\x.dll", false},
        {"Bin/x.dll", false}, {"C:x.dll", false}, {"C:\\Windows\\x.dll", false}, {"x.txt:stream", false},
        {"\\\\server\\share", false}, {"CON", false}, {"nul.txt", false}, {"Com1", false}, {"LPT9.log", false},
        {"CLOCK$", false}, {"aux .txt", false}, {". .", false}, {"tab\there.txt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

TEST(FileNames, UninstallerPathIsTheLastTwelveCharacters)
{
    EXPECT_TRUE(IsUninstallerPath("C:\\WINDOWS\\KSUninst.exe"));
    EXPECT_TRUE(IsUninstallerPath("C:\\Temp\\ksuninst.EXE"));
    EXPECT_TRUE(IsUninstallerPath("KSUninst.exe"));
    EXPECT_FALSE(IsUninstallerPath("C:\\WINDOWS\\TWUninst.exe"));
    EXPECT_FALSE(IsUninstallerPath("Uninst.exe"));
    EXPECT_EQ(FileLineName("<AppDir>\\Bin,Lib.dll,400,1,0,0,1,1"), "Lib.dll");
    EXPECT_EQ(FileLineName("<AppDir>"), "");
}

struct HookCall {
    uint32_t count;
    bool end;
};

void RecordCall(uint32_t count, bool end, void* context)
{
    static_cast<std::vector<HookCall>*>(context)->push_back({count, end});
}

TEST(InflateEntry, ReportsRunningCountsAndEndsOnce)
{
    for (int level : {0, 1, 6, 9}) {
        Bytes data = MixedData(700000);
        Bytes stream = Deflate(data, level);
        Bytes block(data.size());
        std::vector<HookCall> calls;
        std::size_t produced = 0;
        ASSERT_TRUE(InflateEntry(stream.data(), stream.size(), block.data(), block.size(), produced,
                                 RecordCall, &calls));
        EXPECT_EQ(produced, data.size());
        EXPECT_EQ(block, data);
        ASSERT_GE(calls.size(), 3u) << "level " << level << ": block boundaries and chunks give several calls";
        for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
            EXPECT_FALSE(calls[i].end);
            EXPECT_LE(calls[i].count, calls[i + 1].count);
            if (i > 0)
                EXPECT_LE(calls[i].count - calls[i - 1].count, kInflateChunk);
        }
        EXPECT_TRUE(calls.back().end);
        EXPECT_EQ(calls.back().count, data.size());
    }
}

// A source that gives the packed bytes a few at a time, and a sink that
// keeps what comes out until it is told to refuse.
struct Trickle {
    const Bytes* packed;
    std::size_t position;
    std::size_t step;
    Bytes out;
    std::size_t refuseAfter;
};

std::size_t TrickleRead(unsigned char* buffer, std::size_t size, void* context)
{
    auto& trickle = *static_cast<Trickle*>(context);
    std::size_t count = std::min({size, trickle.step, trickle.packed->size() - trickle.position});
    std::memcpy(buffer, trickle.packed->data() + trickle.position, count);
    trickle.position += count;
    return count;
}

bool TrickleWrite(const unsigned char* bytes, std::size_t size, void* context)
{
    auto& trickle = *static_cast<Trickle*>(context);
    trickle.out.insert(trickle.out.end(), bytes, bytes + size);
    return trickle.out.size() <= trickle.refuseAfter;
}

TEST(InflateEntryStream, PiecesChangeNeitherTheBlockNorTheCalls)
{
    Bytes data = MixedData(1500000);
    Bytes stream = Deflate(data);
    Bytes whole(data.size());
    std::vector<HookCall> expected;
    std::size_t produced = 0;
    ASSERT_TRUE(InflateEntry(stream.data(), stream.size(), whole.data(), whole.size(), produced, RecordCall,
                             &expected));
    for (std::size_t step : {1, 7, 4096}) {
        Trickle trickle = {&stream, 0, step, {}, SIZE_MAX};
        Bytes input(kStreamInputSize), window(kStreamWindowSize);
        EntryStreamBuffers buffers = {input.data(), input.size(), window.data(), window.size()};
        std::vector<HookCall> calls;
        uint64_t length = 0;
        EXPECT_EQ(InflateEntryStream(static_cast<uint32_t>(stream.size()), static_cast<uint32_t>(data.size()), buffers,
                                     {TrickleRead, TrickleWrite, &trickle}, length, RecordCall, &calls),
                  InflateResult::Complete) << step;
        EXPECT_EQ(trickle.out, data) << step;
        ASSERT_EQ(calls.size(), expected.size()) << step;
        for (std::size_t i = 0; i < calls.size(); ++i)
            EXPECT_TRUE(calls[i].count == expected[i].count && calls[i].end == expected[i].end) << step << " " << i;
    }
    Trickle refusing = {&stream, 0, 4096, {}, 600000};
    Bytes input(kStreamInputSize), window(kStreamWindowSize);
    EntryStreamBuffers buffers = {input.data(), input.size(), window.data(), window.size()};
    uint64_t length = 0;
    EXPECT_EQ(InflateEntryStream(static_cast<uint32_t>(stream.size()), static_cast<uint32_t>(data.size()), buffers,
                                 {TrickleRead, TrickleWrite, &refusing}, length, nullptr, nullptr),
              InflateResult::WriteFailed);
    EXPECT_LT(refusing.out.size(), data.size()) << "the decoding stopped at the refusal";
}

TEST(InflateEntry, DamagedStreamsFail)
{
    Bytes data = MixedData(100000);
    Bytes stream = Deflate(data);
    Bytes block(data.size() + 100);
    std::size_t produced = 0;

    Bytes cut(stream.begin(), stream.begin() + stream.size() / 2);
    EXPECT_FALSE(InflateEntry(cut.data(), cut.size(), block.data(), block.size(), produced, nullptr, nullptr));
    Bytes noTrailer(stream.begin(), stream.end() - 1);
    EXPECT_FALSE(InflateEntry(noTrailer.data(), noTrailer.size(), block.data(), block.size(), produced, nullptr, nullptr));
    Bytes corrupt = stream;
    corrupt[corrupt.size() - 2] ^= 0x55;   // the Adler-32 trailer
    EXPECT_FALSE(InflateEntry(corrupt.data(), corrupt.size(), block.data(), block.size(), produced, nullptr, nullptr));
    EXPECT_FALSE(InflateEntry(stream.data(), stream.size(), block.data(), data.size() - 1, produced, nullptr, nullptr))
        << "an unpacked size smaller than the data";
    EXPECT_FALSE(InflateEntry(stream.data(), 0, block.data(), block.size(), produced, nullptr, nullptr));

    EXPECT_TRUE(InflateEntry(stream.data(), stream.size(), block.data(), data.size(), produced, nullptr, nullptr))
        << "an exact capacity is enough";
    Bytes padded = stream;
    padded.insert(padded.end(), 10, 0);
    EXPECT_TRUE(InflateEntry(padded.data(), padded.size(), block.data(), block.size(), produced, nullptr, nullptr))
        << "bytes after the stream's end are not read";
    EXPECT_EQ(produced, data.size());
}

TEST(ProgressCount, GrowsByEachStreamsLength)
{
    ProgressCount progress = {};
    const HookCall first[] = {{100, false}, {250, false}, {300, true}};
    const HookCall second[] = {{40, false}, {40, false}, {90, true}};
    for (const HookCall& call : first)
        CountProgress(progress, call.count, call.end);
    EXPECT_EQ(progress.done, 300u);
    for (const HookCall& call : second)
        CountProgress(progress, call.count, call.end);
    EXPECT_EQ(progress.done, 390u);
    EXPECT_EQ(progress.carry, 0u);
    // Two streams of nearly 4 GiB each: the run's count passes 2^32 unwrapped.
    for (int stream = 0; stream < 2; ++stream) {
        CountProgress(progress, 0xC0000000u, false);
        CountProgress(progress, 0xFFFFFFF0u, true);
    }
    EXPECT_EQ(progress.done, 390u + 2 * 0xFFFFFFF0ull);
}

TEST(ProgressCount, PercentIsCappedAndNeverOverflows)
{
    struct Case { uint64_t done; uint32_t total; unsigned percent; };
    const Case cases[] = {
        {0, 1000, 0}, {9, 1000, 0}, {10, 1000, 1}, {999, 1000, 99}, {1000, 1000, 100},
        {5000, 1000, 100}, {0xFFFFFFFF, 0xFFFFFFFF, 100}, {0x80000000, 0xFFFFFFFF, 50},
        {0xFFFFFFFEull, 0xFFFFFFFF, 99}, {0x100000010ull, 0xFFFFFFFF, 100}, {0xFFFFFFFFFFFFFFFFull, 1000, 100},
        {0, 0, 100}, {123, 0, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(ProgressCount, OnlyCallsThatChangeTheWholePercentMoveTheBar)
{
    struct Case { ProgressCount before; uint32_t count; uint32_t total; bool moves; };
    const Case cases[] = {
        {{0, 0}, 9, 1000, false},       // 0.9 % still shows 0
        {{0, 0}, 10, 1000, true},
        {{20, 5}, 14, 1000, false},     // 20 + 9 = 29 bytes: 2 % as before
        {{20, 5}, 15, 1000, true},      // 30 bytes: 3 %
        {{1000, 0}, 500, 1000, false},  // capped at 100
        {{0, 0}, 1, 0, false},          // a total of 0 is 100 % throughout
    };
    for (const Case& c : cases)
        EXPECT_EQ(WouldMovePercent(c.before, c.count, c.total), c.moves) << c.before.done << "+" << c.count;
}

// A complete package: list file, logo, uninstaller and two listed files.
struct TestPackage {
    Bytes bytes;
    std::vector<std::string> bodies;
};

const char kList[] =
    "Kind=1\r\nTitle=Kestrel\r\nName=Kestrel\r\nVersion=1\r\nFolder=Kestrel\r\nSystem=0\r\n"
    "Reserved=\r\nWelcome=Hi\r\nLanguage=Catala\r\nKey=Kestrel\r\nTotal=1000\r\nEntries=2\r\n"
    "F=<AppDir>,Kestrel.exe,5,,,1,1,0\r\nF=<AppDir>\\Bin,%s,4,,,1,1,0\r\n"
    "Registry=0\r\nGroup=0\r\nAssoc=0\r\nShortcut=\r\nClosing=\r\nDisplay=Kestrel\r\n";

TestPackage MakePackage(const char* secondName = "Lib.dll")
{
    char list[1024];
    std::snprintf(list, sizeof list, kList, secondName);
    TestPackage package;
    package.bodies = {list, "BM logo", "MZ uninstaller", "MZexe", "lib!"};
    package.bytes = StartPackage(2);
    EntryHeader header = {0x20, 1, 2, 3};
    for (const std::string& body : package.bodies) {
        EXPECT_TRUE(AppendEntryRecord(package.bytes, header, reinterpret_cast<const unsigned char*>(body.data()),
                                      body.size(), 6));
        ++header.attributes;
    }
    return package;
}

std::vector<std::string> WalkNames(const Bytes& bytes, PackageWalk& walk)
{
    std::vector<std::string> names;
    walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        names.push_back(entry.name + "=" + std::string(reinterpret_cast<const char*>(entry.body), entry.bodySize));
    });
    return names;
}

TEST(PackageWalk, VisitsEveryEntryUnderItsName)
{
    TestPackage package = MakePackage();
    package.bytes.push_back(0x99);
    PackageWalk walk;
    std::vector<std::string> names = WalkNames(package.bytes, walk);
    EXPECT_EQ(walk.status, WalkStatus::Complete);
    EXPECT_EQ(walk.selector, 2);
    EXPECT_EQ(walk.entriesRead, 5u);
    EXPECT_EQ(walk.trailingBytes, 1u);
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0].substr(0, 15), "Setup.lst=Kind=");
    EXPECT_EQ(names[1], "AppLogo.bmp=BM logo");
    EXPECT_EQ(names[2], "KSUninst.exe=MZ uninstaller");
    EXPECT_EQ(names[3], "Kestrel.exe=MZexe");
    EXPECT_EQ(names[4], "Lib.dll=lib!");
}

TEST(PackageWalk, DamageStopsAtTheFailingEntry)
{
    TestPackage good = MakePackage();
    PackageWalk walk;

    Bytes missing(good.bytes.begin(), good.bytes.end() - 3);
    WalkNames(missing, walk);
    EXPECT_EQ(walk.status, WalkStatus::EntryDamaged);
    EXPECT_EQ(walk.failedName, "Lib.dll");

    // The last entry record without its stream: the package runs out.
    std::size_t lastRecord = 0;
    Bytes shortened = good.bytes;
    WalkPackage(good.bytes.data(), good.bytes.size(), [&](const WalkedEntry& entry) { lastRecord = entry.offset; });
    shortened.resize(lastRecord + 4);
    WalkNames(shortened, walk);
    EXPECT_EQ(walk.status, WalkStatus::EntryMissing);
    EXPECT_EQ(walk.entriesRead, 4u);

    Bytes tooSmall = good.bytes;
    tooSmall[kPackageHeaderSize] -= 1;   // the list file's unpacked size, one short
    WalkNames(tooSmall, walk);
    EXPECT_EQ(walk.status, WalkStatus::EntryDamaged);
    EXPECT_EQ(walk.entriesRead, 0u);

    Bytes shortBlock = StartPackage(1);
    const unsigned char few[10] = {};
    Bytes stream = Deflate(Bytes(few, few + 10));
    unsigned char sizes[kEntrySizesLength];
    EncodeEntrySizes({10, static_cast<uint32_t>(stream.size())}, sizes);
    shortBlock.insert(shortBlock.end(), sizes, sizes + kEntrySizesLength);
    shortBlock.insert(shortBlock.end(), stream.begin(), stream.end());
    WalkNames(shortBlock, walk);
    EXPECT_EQ(walk.status, WalkStatus::EntryDamaged) << "a block shorter than 28 bytes";

    Bytes badSelector = good.bytes;
    badSelector[3] = 4;
    WalkNames(badSelector, walk);
    EXPECT_EQ(walk.status, WalkStatus::BadHeader);
}

TEST(PackageWalk, RefusesNamesOutsideTheFolder)
{
    for (const char* name : {"..\\..\\evil.dll", "C:\\evil.dll", "..", "sub/evil.dll"}) {
        TestPackage package = MakePackage(name);
        PackageWalk walk;
        std::vector<std::string> names = WalkNames(package.bytes, walk);
        EXPECT_EQ(walk.status, WalkStatus::UnsafeName) << name;
        EXPECT_EQ(walk.failedName, name);
        EXPECT_EQ(names.size(), 1u) << "only the list file was visited";
    }
}

TEST(PackageWalk, ListFileDamageIsItsOwnStatus)
{
    Bytes bytes = StartPackage(3);
    EntryHeader header = {};
    Bytes list = ToBytes("Kind=1\r\nTitle=x\r\n");
    AppendEntryRecord(bytes, header, list.data(), list.size(), 6);
    PackageWalk walk;
    WalkNames(bytes, walk);
    EXPECT_EQ(walk.status, WalkStatus::ListDamaged);
}

}  // namespace
