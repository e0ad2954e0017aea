#pragma once
// The runtime's heap blocks: zero-filled global-heap memory, with a count
// of the blocks alive so that leaks of records and strings show.
#include <windows.h>

void* AllocateZeroed(SIZE_T size);
// Frees a block; nullptr and values below 0x10000 (string-table
// identifiers) are never freed.
void FreeBlock(const void* block);
LONG LiveRuntimeBlocks();
