#include "forms/runtime_memory.h"

#include "forms/portable/references.h"

namespace {

LONG g_liveBlocks = 0;

}  // namespace

void* AllocateZeroed(SIZE_T size)
{
    void* block = GlobalAlloc(GPTR, size);
    if (block != nullptr)
        ++g_liveBlocks;
    return block;
}

void FreeBlock(const void* block)
{
    if (IsIdentifier(reinterpret_cast<UINT_PTR>(block)))
        return;
    GlobalFree(const_cast<void*>(block));
    --g_liveBlocks;
}

LONG LiveRuntimeBlocks()
{
    return g_liveBlocks;
}
