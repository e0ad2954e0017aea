#include "tools/file_stamp.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "tools/file_time.h"

namespace {

constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kArchive = 0x20;

uint64_t ToFileTime(const timespec& time)
{
    return FileTimeFromUnix(static_cast<int64_t>(time.tv_sec), static_cast<uint32_t>(time.tv_nsec));
}

timespec ToTimespec(uint64_t fileTime)
{
    int64_t seconds = 0;
    uint32_t nanoseconds = 0;
    UnixFromFileTime(fileTime, seconds, nanoseconds);
    return timespec{static_cast<time_t>(seconds), static_cast<long>(nanoseconds)};
}

}  // namespace

bool QueryFileStamp(const std::string& path, EntryHeader& header, std::string& error)
{
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "not a regular file";
        return false;
    }
    header.attributes = kArchive | ((status.st_mode & S_IWUSR) ? 0 : kReadOnly);
    // Linux keeps no creation time that stat reports; the last change stands in.
    header.creationTime = ToFileTime(status.st_mtim);
    header.accessTime = ToFileTime(status.st_atim);
    header.writeTime = ToFileTime(status.st_mtim);
    return true;
}

void ApplyFileStamp(const std::string& path, const EntryHeader& header)
{
    timespec times[2] = {ToTimespec(header.accessTime), ToTimespec(header.writeTime)};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    if (header.attributes == kKeepAttributes)
        return;
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return;
    mode_t mode = status.st_mode & 07777;
    mode = (header.attributes & kReadOnly) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    chmod(path.c_str(), mode);
}

bool MakeFolder(const std::string& path)
{
    struct stat status;
    if (stat(path.c_str(), &status) == 0)
        return S_ISDIR(status.st_mode);
    return mkdir(path.c_str(), 0777) == 0;
}

std::string JoinFilePath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}
