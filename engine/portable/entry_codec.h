#pragma once
// Decompressing and compressing one entry's zlib stream. The decoder calls
// a progress callback with the stream's running output count at each
// deflate block boundary and after each chunk of output, and once with
// `end` set when the stream is complete (the count is then the whole
// output), so that a progress counter grows by exactly the entry's
// decompressed length.
#include <cstddef>
#include <cstdint>
#include <vector>

using ProgressCallback = void (*)(uint32_t count, bool end, void* context);

// Output bytes between two callbacks at most, even inside one long block.
constexpr std::size_t kInflateChunk = 256 * 1024;

// Deflate cannot expand data by more than 1032:1, so no stream of `packed`
// bytes fills more than this; a larger claimed capacity need not be allocated.
std::size_t MaxInflatedSize(uint32_t packed);

// Decompresses the zlib stream in `packed` into `block` (room for
// `capacity` bytes). True when the stream ends within both buffers; then
// `produced` is the block length. A cut, corrupt or too large stream gives
// false. The callback may be nullptr.
bool InflateEntry(const unsigned char* packed, std::size_t packedSize, unsigned char* block,
                  std::size_t capacity, std::size_t& produced, ProgressCallback callback,
                  void* context);

// Compresses an entry block into one zlib stream appended to `stream`: with
// libdeflate in the native build, with zlib in the Windows ones.
bool DeflateEntry(const unsigned char* block, std::size_t size, int level,
                  std::vector<unsigned char>& stream);
