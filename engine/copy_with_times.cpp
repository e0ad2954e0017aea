#include "engine/copy_with_times.h"

#include "base/waiting.h"
#include "engine/copy_progress.h"

namespace {

constexpr DWORD kChunkSize = 16384;
constexpr SIZE_T kBufferSize = kChunkSize + 2;
constexpr DWORD kChunkWait = 10;
// A chunk's turn: its wait and the bar's pause together.
constexpr LONGLONG kChunkRhythm = (kChunkWait + kProgressPause) * 1000;   // microseconds

struct FileTimes {
    FILETIME creation;
    FILETIME lastAccess;
    FILETIME lastWrite;
};

enum class ChunkResult {
    Done,        // every byte copied
    Cancelled,
    Failed,
};

// Copies the remaining bytes chunk by chunk. A read that delivers nothing
// before the size is reached fails: the copy never waits for missing bytes.
// The chunks keep their rhythm: each one's turn is counted from where the
// previous one's should have ended, so that the copy's own work (reading,
// writing, showing the bar) takes its time from the wait instead of adding
// to it. A chunk whose work overran its turn starts the count again.
DWORD ChunkWait(LONGLONG& turnEnd)
{
    LONGLONG now = Microseconds();
    turnEnd += kChunkRhythm;
    if (turnEnd <= now) {
        turnEnd = now;
        return 0;
    }
    return static_cast<DWORD>((turnEnd - now + 500) / 1000);
}

ChunkResult CopyChunks(const InstallJob& job, HANDLE source, HANDLE target, ULONGLONG size, ULONGLONG done,
                       char* buffer)
{
    ULONGLONG remaining = size;
    LONGLONG turnEnd = Microseconds();
    while (remaining > 0) {
        if (*job.cancel)
            return ChunkResult::Cancelled;
        DWORD read = 0;
        if (!ReadFile(source, buffer, kChunkSize, &read, nullptr) || read == 0)
            return ChunkResult::Failed;
        DWORD written = 0;
        if (!WriteFile(target, buffer, read, &written, nullptr) || written != read)
            return ChunkResult::Failed;
        remaining -= read < remaining ? read : remaining;
        done += read;
        ShowCopyProgress(*job.view, done, job.model->progressTotal, true);
        job.view->Pause(ChunkWait(turnEnd), true);
    }
    return ChunkResult::Done;
}

}  // namespace

int CopyWithTimes(InstallJob& job, const char* source, const char* target, ULONGLONG done)
{
    DWORD attributes = GetFileAttributesA(source);
    char* buffer = static_cast<char*>(GlobalAlloc(GPTR, kBufferSize));
    if (buffer == nullptr)
        return 0;
    HANDLE input = CreateFileA(source, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (input == INVALID_HANDLE_VALUE) {
        GlobalFree(buffer);
        return 0;
    }
    FileTimes times = {};
    GetFileTime(input, &times.creation, &times.lastAccess, &times.lastWrite);
    // Both words: a file of 4 GiB or more must not pass for its low word.
    DWORD high = 0;
    DWORD low = GetFileSize(input, &high);
    ULONGLONG size = (static_cast<ULONGLONG>(high) << 32) | low;
    HANDLE output = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        CloseHandle(input);
        GlobalFree(buffer);
        return 0;
    }
    lstrcpynA(job.journal.copySource, source, MAX_PATH);
    lstrcpynA(job.journal.copyTarget, target, MAX_PATH);
    ChunkResult result = CopyChunks(job, input, output, size, done, buffer);
    job.journal.copySource[0] = '\0';
    job.journal.copyTarget[0] = '\0';
    if (result == ChunkResult::Done)
        SetFileTime(output, &times.creation, &times.lastAccess, &times.lastWrite);
    if (!CloseHandle(output))
        result = ChunkResult::Failed;
    CloseHandle(input);
    GlobalFree(buffer);
    // The target was created or truncated: its partial bytes are worth
    // nothing and must not be taken for the file.
    if (result != ChunkResult::Done)
        DeleteFileA(target);
    if (result == ChunkResult::Failed)
        return 0;
    SetFileAttributesA(target, attributes != INVALID_FILE_ATTRIBUTES ? attributes : FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(source, FILE_ATTRIBUTE_NORMAL);
    return 1;
}
