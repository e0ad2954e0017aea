#include "engine/portable/entry_codec.h"

#include <algorithm>
#include <climits>

#include <zlib.h>
#ifdef INSTAL_LIBDEFLATE
#include <libdeflate.h>
#endif

std::size_t MaxInflatedSize(uint32_t packed)
{
    return static_cast<std::size_t>(std::min<uint64_t>(uint64_t{packed} * 1032 + 1032, SIZE_MAX));
}

bool InflateEntry(const unsigned char* packed, std::size_t packedSize, unsigned char* block,
                  std::size_t capacity, std::size_t& produced, ProgressCallback callback,
                  void* context)
{
    produced = 0;
    if (packedSize > UINT_MAX || capacity > UINT_MAX)
        return false;
    z_stream stream = {};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<unsigned char*>(packed);
    stream.avail_in = static_cast<uInt>(packedSize);
    int result = Z_OK;
    while (result == Z_OK) {
        std::size_t written = stream.total_out;
        stream.next_out = block + written;
        stream.avail_out = static_cast<uInt>(std::min(capacity - written, kInflateChunk));
        // Z_BLOCK returns at each block boundary: a natural point to report.
        result = inflate(&stream, Z_BLOCK);
        if (result == Z_OK && callback != nullptr && stream.total_out != written)
            callback(static_cast<uint32_t>(stream.total_out), false, context);
    }
    produced = stream.total_out;
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        return false;
    if (callback != nullptr)
        callback(static_cast<uint32_t>(produced), true, context);
    return true;
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
