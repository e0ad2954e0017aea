// Compares zlib and libdeflate for the package builder: each file of a
// folder compressed alone into a zlib stream at one level, as the builder
// compresses entries. Prints the time and the packed size of each.
#include <libdeflate.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

std::vector<Bytes> ReadFolder(const char* folder)
{
    std::vector<Bytes> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return files;
}

struct Result {
    double seconds;
    unsigned long long packed;
};

Result WithZlib(const std::vector<Bytes>& files, int level)
{
    Result result = {0, 0};
    auto start = Clock::now();
    for (const Bytes& file : files) {
        uLongf size = compressBound(file.size());
        Bytes out(size);
        if (compress2(out.data(), &size, file.data(), file.size(), level) != Z_OK)
            std::exit(1);
        result.packed += size;
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

Result WithLibdeflate(const std::vector<Bytes>& files, int level)
{
    Result result = {0, 0};
    auto start = Clock::now();
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    for (const Bytes& file : files) {
        Bytes out(libdeflate_zlib_compress_bound(compressor, file.size()));
        std::size_t size = libdeflate_zlib_compress(compressor, file.data(), file.size(), out.data(), out.size());
        if (size == 0)
            std::exit(1);
        result.packed += size;
    }
    libdeflate_free_compressor(compressor);
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_deflate FOLDER [LEVEL]\n");
        return 2;
    }
    int level = argc > 2 ? std::atoi(argv[2]) : 6;
    std::vector<Bytes> files = ReadFolder(argv[1]);
    Result zlib = WithZlib(files, level);
    Result libdeflate = WithLibdeflate(files, level);
    std::printf("zlib level %d:       %6.2f s  %llu bytes\n", level, zlib.seconds, zlib.packed);
    std::printf("libdeflate level %d: %6.2f s  %llu bytes  %.2fx zlib's speed\n", level, libdeflate.seconds,
                libdeflate.packed, zlib.seconds / libdeflate.seconds);
    return 0;
}
