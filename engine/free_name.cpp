#include "engine/free_name.h"

#include <windows.h>

#include <cstring>

#include "base/portable/text_helpers.h"

namespace {

const unsigned kAttempts = 1000;

}  // namespace

bool FindFreeName(const char* folder, const char* name, CandidateName candidate, char* path)
{
    for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
        char helper[kTextCapacity];
        candidate(name, attempt, helper, sizeof helper);
        CopyText(path, folder);
        JoinPath(path, helper);
        // A path that filled the buffer may have been cut: it would not
        // name the file the candidate makes.
        if (std::strlen(path) < kTextCapacity - 1 && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
    return false;
}
