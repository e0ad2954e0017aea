#include "engine/portable/entry_codec.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <zlib.h>
#ifdef INSTAL_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace {

struct Inflation {
    z_stream stream;
    const EntryStreamBuffers& buffers;
    const EntryStreamIo& io;
    uint32_t unread;   // packed bytes not read yet
};

// Gives the decoder the next packed bytes once it has used those it had.
void Refill(Inflation& inflation)
{
    if (inflation.stream.avail_in != 0 || inflation.unread == 0)
        return;
    std::size_t wanted = std::min<std::size_t>(inflation.unread, inflation.buffers.inputSize);
    std::size_t got = inflation.io.read(inflation.buffers.input, wanted, inflation.io.context);
    // A source that runs dry has cut the stream short: nothing more is asked of it.
    inflation.unread = got == 0 ? 0 : inflation.unread - static_cast<uint32_t>(got);
    inflation.stream.next_in = inflation.buffers.input;
    inflation.stream.avail_in = static_cast<uInt>(got);
}

bool WriteWindow(Inflation& inflation)
{
    std::size_t held = static_cast<std::size_t>(inflation.stream.next_out - inflation.buffers.window);
    inflation.stream.next_out = inflation.buffers.window;
    return held == 0 || inflation.io.write(inflation.buffers.window, held, inflation.io.context);
}

// At each stop the decoder is offered the next chunk of output, as far as
// the capacity allows; the window is written out first when it cannot take
// a whole chunk.
bool OfferChunk(Inflation& inflation, uint32_t capacity)
{
    z_stream& stream = inflation.stream;
    std::size_t held = static_cast<std::size_t>(stream.next_out - inflation.buffers.window);
    if (held + kInflateChunk > inflation.buffers.windowSize && !WriteWindow(inflation))
        return false;
    stream.avail_out = static_cast<uInt>(std::min<uint64_t>(capacity - uint64_t{stream.total_out}, kInflateChunk));
    return true;
}

InflateResult FinishStream(Inflation& inflation, int result, ProgressCallback callback, void* context)
{
    if (result == Z_MEM_ERROR)
        return InflateResult::OutOfMemory;
    if (result != Z_STREAM_END)
        return InflateResult::Damaged;
    if (!WriteWindow(inflation))
        return InflateResult::WriteFailed;
    if (callback != nullptr)
        callback(static_cast<uint32_t>(inflation.stream.total_out), true, context);
    return InflateResult::Complete;
}

}  // namespace

InflateResult InflateEntryStream(uint32_t packedSize, uint32_t capacity, const EntryStreamBuffers& buffers,
                                 const EntryStreamIo& io, uint64_t& produced, ProgressCallback callback,
                                 void* context)
{
    produced = 0;
    Inflation inflation = {{}, buffers, io, packedSize};
    z_stream& stream = inflation.stream;
    if (inflateInit(&stream) != Z_OK)
        return InflateResult::OutOfMemory;
    stream.next_out = buffers.window;
    uint64_t lastStop = 0;
    int result = Z_OK;
    bool written = OfferChunk(inflation, capacity);
    while (written) {
        Refill(inflation);
        // Z_BLOCK returns at each block boundary: a natural point to report.
        result = inflate(&stream, Z_BLOCK);
        if (result != Z_OK)
            break;
        // A return for more input is no stop: the same chunk goes on.
        if ((stream.data_type & 128) == 0 && stream.avail_out != 0)
            continue;
        if (callback != nullptr && stream.total_out != lastStop)
            callback(static_cast<uint32_t>(stream.total_out), false, context);
        lastStop = stream.total_out;
        written = OfferChunk(inflation, capacity);
    }
    InflateResult outcome = written ? FinishStream(inflation, result, callback, context) : InflateResult::WriteFailed;
    produced = stream.total_out;
    inflateEnd(&stream);
    return outcome;
}

namespace {

struct MemoryStream {
    const unsigned char* packed;
    std::size_t unread;
    unsigned char* block;
    std::size_t filled;
};

std::size_t ReadMemory(unsigned char* buffer, std::size_t size, void* context)
{
    auto& memory = *static_cast<MemoryStream*>(context);
    std::size_t count = std::min(size, memory.unread);
    std::memcpy(buffer, memory.packed, count);
    memory.packed += count;
    memory.unread -= count;
    return count;
}

// The decoder never produces more than the capacity, which is the block's room.
bool WriteMemory(const unsigned char* bytes, std::size_t size, void* context)
{
    auto& memory = *static_cast<MemoryStream*>(context);
    std::memcpy(memory.block + memory.filled, bytes, size);
    memory.filled += size;
    return true;
}

}  // namespace

bool InflateEntry(const unsigned char* packed, std::size_t packedSize, unsigned char* block,
                  std::size_t capacity, std::size_t& produced, ProgressCallback callback,
                  void* context)
{
    produced = 0;
    if (packedSize > UINT32_MAX || capacity > UINT32_MAX)
        return false;
    std::vector<unsigned char> input(kStreamInputSize);
    std::vector<unsigned char> window(kStreamWindowSize);
    EntryStreamBuffers buffers = {input.data(), input.size(), window.data(), window.size()};
    MemoryStream memory = {packed, packedSize, block, 0};
    EntryStreamIo io = {ReadMemory, WriteMemory, &memory};
    uint64_t length = 0;
    InflateResult result = InflateEntryStream(static_cast<uint32_t>(packedSize), static_cast<uint32_t>(capacity),
                                              buffers, io, length, callback, context);
    produced = static_cast<std::size_t>(length);
    return result == InflateResult::Complete;
}

#ifdef INSTAL_LIBDEFLATE
// The package builder's own machine: libdeflate writes the same zlib format
// about twice as fast as zlib, and a little smaller.
bool DeflateEntry(const unsigned char* block, std::size_t size, int level,
                  std::vector<unsigned char>& stream)
{
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    if (compressor == nullptr)
        return false;
    std::size_t start = stream.size();
    stream.resize(start + libdeflate_zlib_compress_bound(compressor, size));
    std::size_t packed = libdeflate_zlib_compress(compressor, block, size, stream.data() + start, stream.size() - start);
    libdeflate_free_compressor(compressor);
    stream.resize(start + packed);
    return packed != 0;
}
#else
bool DeflateEntry(const unsigned char* block, std::size_t size, int level,
                  std::vector<unsigned char>& stream)
{
    if (size > UINT_MAX)
        return false;
    uLongf bound = compressBound(static_cast<uLong>(size));
    std::size_t start = stream.size();
    stream.resize(start + bound);
    int result = compress2(stream.data() + start, &bound, block, static_cast<uLong>(size), level);
    stream.resize(result == Z_OK ? start + bound : start);
    return result == Z_OK;
}
#endif
