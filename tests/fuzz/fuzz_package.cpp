// libFuzzer target: the package decoder over arbitrary bytes. Checks the
// decoder's promises: entries come in order with plain names and blocks of
// at least the header, and one stream's progress calls grow by exactly its
// decompressed length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/portable/entry_codec.h"
#include "engine/portable/package_walk.h"

namespace {

struct HookCheck {
    uint32_t last;
    bool ended;
};

void CheckCall(uint32_t count, bool end, void* context)
{
    auto* check = static_cast<HookCheck*>(context);
    if (check->ended || count < check->last)
        std::abort();
    check->last = count;
    check->ended = end;
}

// The bytes after the package header as one entry's stream, with a small
// capacity so that too-small sizes are exercised too.
void FuzzOneStream(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    std::size_t capacity = data[0] * 97u;
    std::vector<unsigned char> block(capacity + 1);
    HookCheck check = {0, false};
    std::size_t produced = 0;
    bool ok = InflateEntry(data + 1, size - 1, block.data(), capacity, produced, CheckCall, &check);
    if (ok != check.ended || (ok && (check.last != produced || produced > capacity)))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::size_t expected = 0;
    PackageWalk walk = WalkPackage(data, size, [&](const WalkedEntry& entry) {
        if (entry.index != expected++ || !(entry.index < 3 || IsPlainFileName(entry.name.c_str())))
            std::abort();
        volatile unsigned char sink = 0;
        for (std::size_t i = 0; i < entry.bodySize; ++i)
            sink = sink ^ entry.body[i];
    });
    if (walk.entriesRead != expected)
        std::abort();
    FuzzOneStream(data, size);
    return 0;
}
