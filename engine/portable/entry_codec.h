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

// What the streaming decoder reads from and writes to: the packed bytes in
// pieces, and the block as it comes out.
struct EntryStreamIo {
    // Fills up to `size` bytes with the next packed bytes; how many, 0 when
    // the source has no more.
    std::size_t (*read)(unsigned char* buffer, std::size_t size, void* context);
    // Takes the next bytes of the block; false stops the decoding.
    bool (*write)(const unsigned char* bytes, std::size_t size, void* context);
    void* context;
};

// The decoder's two buffers, allocated once by the caller and used for any
// number of entries: the packed bytes read at a time, and the output window
// (at least two chunks), written out whenever it cannot take another chunk.
struct EntryStreamBuffers {
    unsigned char* input;
    std::size_t inputSize;
    unsigned char* window;
    std::size_t windowSize;
};

constexpr std::size_t kStreamInputSize = 64 * 1024;
constexpr std::size_t kStreamWindowSize = 2 * kInflateChunk;

enum class InflateResult {
    Complete,      // the stream ended within both sizes and passed its check
    Damaged,       // cut short, corrupt, or more data than the capacity
    WriteFailed,   // the write callback refused the bytes
    OutOfMemory,   // the decoder's own state could not be had
};

// Decompresses one zlib stream of at most `packedSize` bytes into at most
// `capacity` bytes, piece by piece. The callback sees the same running
// counts at the same points whatever the pieces: at each deflate block
// boundary and each chunk of output, and once with `end` set. `produced`
// is the block length so far. The callback may be nullptr.
InflateResult InflateEntryStream(uint32_t packedSize, uint32_t capacity, const EntryStreamBuffers& buffers,
                                 const EntryStreamIo& io, uint64_t& produced, ProgressCallback callback,
                                 void* context);

// The same over buffers in memory: decompresses the zlib stream in `packed`
// into `block` (room for `capacity` bytes). True when the stream ends
// within both buffers; then `produced` is the block length. A cut, corrupt
// or too large stream gives false.
bool InflateEntry(const unsigned char* packed, std::size_t packedSize, unsigned char* block,
                  std::size_t capacity, std::size_t& produced, ProgressCallback callback,
                  void* context);

// Compresses an entry block into one zlib stream appended to `stream`: with
// libdeflate in the native build, with zlib in the Windows ones.
bool DeflateEntry(const unsigned char* block, std::size_t size, int level,
                  std::vector<unsigned char>& stream);
