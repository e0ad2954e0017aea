// A package of one file of 3,500 MiB, past every signed 32-bit size: the
// wizard unpacks it whole, and a cancel leaves the temp folder clean. The
// package is built here from one deflated mebibyte repeated, so that it
// stays small and takes no time to make.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <zlib.h>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "test_environment.h"
#include "test_package.h"
#include "wizard/control_ids.h"

namespace {

constexpr uInt kChunk = 1 << 20;
constexpr uint32_t kChunks = 3500;
constexpr uint32_t kHeaderSize = 28;
const char kName[] = "Gran.bin";

// Not all zeros, and no two neighbouring 4 KiB alike.
std::string PatternChunk()
{
    std::string bytes(kChunk, '\0');
    for (uInt i = 0; i < kChunk; ++i)
        bytes[i] = static_cast<char>((i * 7 + (i >> 12)) & 0xFF);
    return bytes;
}

// Raw deflate of the next piece. A full flush ends each piece on a byte
// with nothing referring back past it, so a piece's bytes decode alike
// wherever they stand: repeated, they make one valid stream.
std::string DeflatePiece(z_stream& stream, const std::string& bytes, int flush)
{
    std::string out(compressBound(static_cast<uLong>(bytes.size())) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, flush);
    out.resize(out.size() - stream.avail_out);
    return out;
}

void PutWord(std::string& out, uint32_t value, bool bigEndian = false)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (bigEndian ? 24 - 8 * i : 8 * i));
}

// The entry record: the block is the 28-byte header (archive, no times),
// then the chunk kChunks times.
std::string LargeEntryRecord(const std::string& chunk)
{
    std::string header;
    PutWord(header, FILE_ATTRIBUTE_ARCHIVE);
    header.append(kHeaderSize - 4, '\0');
    z_stream raw = {};
    deflateInit2(&raw, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string head = DeflatePiece(raw, header, Z_FULL_FLUSH);
    std::string body = DeflatePiece(raw, chunk, Z_FULL_FLUSH);
    std::string tail = DeflatePiece(raw, "", Z_FINISH);
    deflateEnd(&raw);

    uLong adler = adler32(1, reinterpret_cast<const Bytef*>(header.data()), kHeaderSize);
    uLong chunkAdler = adler32(1, reinterpret_cast<const Bytef*>(chunk.data()), kChunk);
    std::string stream("\x78\x01", 2);
    stream += head;
    for (uint32_t i = 0; i < kChunks; ++i) {
        stream += body;
        adler = adler32_combine(adler, chunkAdler, kChunk);
    }
    stream += tail;
    PutWord(stream, static_cast<uint32_t>(adler), true);

    std::string record;
    PutWord(record, kHeaderSize + kChunks * kChunk);
    PutWord(record, static_cast<uint32_t>(stream.size()));
    return record + stream;
}

TEST(LargePackage, AFileOf3500MebibytesUnpacksWholeAndACancelCleansUp)
{
    std::string chunk = PatternChunk();
    std::string package = TestPackageHead("<AppDir>", kName, kHeaderSize + kChunks * kChunk);
    package += LargeEntryRecord(chunk);
    std::string unpacked = TempFolder() + kName;
    WizardSession session(WritePackage("large.001", package));
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    MessageBoxSeen box;
    bool welcome = WaitUntil([&] {
        box = session.WaitForMessageBox(0);
        return box.box != nullptr || session.Text(btnCancel) == TableString(10031);
    }, 1800000);
    if (box.box != nullptr)
        session.Answer(box, IDOK);
    ASSERT_EQ(box.text, "") << "the unpacking stopped with a message";
    ASSERT_TRUE(welcome) << "the welcome page";

    uLong chunkCrc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), kChunk);
    uLong expected = crc32(0, nullptr, 0);
    for (uint32_t i = 0; i < kChunks; ++i)
        expected = crc32_combine(expected, chunkCrc, kChunk);
    FileSum file = SumFile(unpacked);
    EXPECT_EQ(file.length, ULONGLONG{kChunks} * kChunk);
    EXPECT_EQ(file.crc, expected);

    session.Click(btnCancel);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    EXPECT_EQ(GetFileAttributesA(unpacked.c_str()), INVALID_FILE_ATTRIBUTES) << "the temp folder is clean";
    EXPECT_EQ(GetFileAttributesA((TempFolder() + "AppLogo.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA((TempFolder() + "large.001").c_str());
}

}  // namespace
