#pragma once
// Unpacking the package's next entry into a file.
#include "engine/portable/entry_codec.h"
#include "engine/unpacking.h"

// The decoder's buffers, taken once for a whole extraction; false when
// memory is short (nothing is held then).
bool AllocateEntryBuffers(EntryStreamBuffers& buffers);
void FreeEntryBuffers(EntryStreamBuffers& buffers);

// Reads the next entry record from the open package and decompresses it
// through the unpacking's buffers (moving the progress bar), writing its
// file at the target path as it comes, then gives the file the entry's
// times and attributes. Returns 1, or 0 after reporting the failure; a
// partial file is deleted.
int ExtractEntry(Unpacking& unpacking, const char* target);
