#include "tools/streamed_entry.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <zlib.h>

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

struct Deflation {
    z_stream stream;
    std::FILE* output;
    std::vector<unsigned char> out;
    uint64_t packed;
};

// Deflates what the stream holds as input, writing every full output block.
bool Drain(Deflation& deflation, int flush)
{
    int result = Z_OK;
    do {
        deflation.stream.next_out = deflation.out.data();
        deflation.stream.avail_out = static_cast<uInt>(deflation.out.size());
        result = deflate(&deflation.stream, flush);
        std::size_t produced = deflation.out.size() - deflation.stream.avail_out;
        if (result == Z_STREAM_ERROR || std::fwrite(deflation.out.data(), 1, produced, deflation.output) != produced)
            return false;
        deflation.packed += produced;
    } while (deflation.stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    return true;
}

bool Feed(Deflation& deflation, const unsigned char* bytes, std::size_t size)
{
    deflation.stream.next_in = const_cast<unsigned char*>(bytes);
    deflation.stream.avail_in = static_cast<uInt>(size);
    return Drain(deflation, Z_NO_FLUSH);
}

bool WriteSizeWords(std::FILE* output, const std::fpos_t& at, uint64_t unpacked, uint64_t packed)
{
    unsigned char sizes[kEntrySizesLength];
    EncodeEntrySizes({static_cast<uint32_t>(unpacked), static_cast<uint32_t>(packed)}, sizes);
    return std::fsetpos(output, &at) == 0 && std::fwrite(sizes, 1, sizeof sizes, output) == sizeof sizes &&
           std::fseek(output, 0, SEEK_END) == 0;
}

}  // namespace

bool AppendStreamedEntry(std::FILE* output, const std::string& path, const EntryHeader& header, int level,
                         StreamedEntry& written, std::string& error)
{
    written = {};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> input(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!input) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::fpos_t start;
    unsigned char blank[kEntrySizesLength] = {};
    if (std::fgetpos(output, &start) != 0 || std::fwrite(blank, 1, sizeof blank, output) != sizeof blank) {
        error = std::string("cannot write the package: ") + std::strerror(errno);
        return false;
    }
    Deflation deflation = {{}, output, std::vector<unsigned char>(kBlockBytes), 0};
    if (deflateInit(&deflation.stream, level) != Z_OK) {
        error = "the compressor cannot start";
        return false;
    }
    unsigned char headerBytes[kEntryHeaderSize];
    EncodeEntryHeader(header, headerBytes);
    std::vector<unsigned char> block(kBlockBytes);
    bool ok = Feed(deflation, headerBytes, sizeof headerBytes);
    std::size_t count = 0;
    while (ok && (count = std::fread(block.data(), 1, block.size(), input.get())) > 0) {
        written.bodySize += count;
        ok = written.bodySize <= UINT32_MAX - kEntryHeaderSize && Feed(deflation, block.data(), count);
    }
    bool readFailed = std::ferror(input.get()) != 0;
    ok = ok && !readFailed && Drain(deflation, Z_FINISH);
    bool tooLarge = written.bodySize > UINT32_MAX - kEntryHeaderSize || deflation.packed > UINT32_MAX;
    ok = ok && !tooLarge && WriteSizeWords(output, start, written.bodySize + kEntryHeaderSize, deflation.packed);
    deflateEnd(&deflation.stream);
    written.recordSize = kEntrySizesLength + deflation.packed;
    if (ok)
        return true;
    if (readFailed)
        error = "cannot read " + path + ": " + std::strerror(errno);
    else if (tooLarge)
        error = path + " is too large for a package entry";
    else
        error = std::string("cannot write the package: ") + std::strerror(errno);
    return false;
}
