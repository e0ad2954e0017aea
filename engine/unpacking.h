#pragma once
// The unpacking at start-up, handed to each of its steps: the open package,
// where its entries go, the model its list file fills, and how the user
// sees its progress and stops it.
#include <windows.h>

#include "base/portable/text_helpers.h"
#include "engine/portable/install_model.h"
#include "engine/install_view.h"
#include "engine/journal.h"
#include "engine/portable/entry_codec.h"
#include "engine/progress_hook.h"

struct Unpacking {
    HANDLE package;           // open while unpacking, else INVALID_HANDLE_VALUE
    char tempFolder[kTextCapacity];   // the folder the entries go to
    InstallModel* model;
    InstallView* view;
    volatile LONG* cancel;
    Journal* journal;         // the run's, opened once the product key is known
    int osCode;               // the system's, for an interrupted install's undo
    bool anotherRunHolds;     // the unpacking stopped: another run of the product holds its journal
    ProgressState progress;   // the decompressor's hook
    EntryStreamBuffers buffers;   // the decoder's, for every entry of the run
};
