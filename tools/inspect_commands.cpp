#include "tools/inspect_commands.h"

#include <string>
#include <vector>

#include "engine/portable/package_walk.h"
#include "tools/file_bytes.h"
#include "tools/file_stamp.h"
#include "tools/file_time.h"

namespace {

bool LoadPackage(const BuilderOptions& options, std::vector<unsigned char>& bytes, std::FILE* errors)
{
    std::string error;
    if (ReadFileBytes(options.package, bytes, error))
        return true;
    std::fprintf(errors, "package_builder: cannot read %s: %s\n", options.package.c_str(), error.c_str());
    return false;
}

void ReportWalkFailure(const PackageWalk& walk, std::FILE* errors)
{
    if (walk.status == WalkStatus::BadHeader)
        std::fprintf(errors, "package_builder: damaged package: %s\n", DescribeWalkStatus(walk.status));
    else
        std::fprintf(errors, "package_builder: damaged package: entry %zu (%s) at offset %zu: %s\n",
                     walk.entriesRead + 1, walk.failedName.c_str(), walk.failedOffset,
                     DescribeWalkStatus(walk.status));
}

double Percent(uint64_t part, uint64_t whole)
{
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

int RunList(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    std::vector<unsigned char> bytes;
    if (!LoadPackage(options, bytes, errors))
        return 1;
    uint64_t unpacked = 0;
    uint64_t packed = 0;
    bool headerShown = false;
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        if (!headerShown) {
            std::fprintf(out, "%5s %-24s %10s %10s %6s %8s  %s\n", "entry", "name", "size", "packed", "ratio",
                         "attrib", "last written (UTC)");
            headerShown = true;
        }
        unpacked += entry.bodySize;
        packed += entry.sizes.packed + kEntrySizesLength;
        std::fprintf(out, "%5zu %-24s %10zu %10u %5.1f%% %08X  %s\n", entry.index + 1, entry.name.c_str(),
                     entry.bodySize, entry.sizes.packed, Percent(entry.sizes.packed, entry.sizes.unpacked),
                     entry.header.attributes, FormatFileTime(entry.header.writeTime).c_str());
    });
    if (walk.status != WalkStatus::Complete) {
        ReportWalkFailure(walk, errors);
        return 1;
    }
    std::fprintf(out, "%s, list file %s: %zu entries, %llu bytes in %llu (%.1f%%)\n", options.package.c_str(),
                 ListFileNameForSelector(walk.selector), walk.entriesRead, static_cast<unsigned long long>(unpacked),
                 static_cast<unsigned long long>(bytes.size()), Percent(bytes.size(), unpacked));
    return 0;
}

int RunVerify(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    std::vector<unsigned char> bytes;
    if (!LoadPackage(options, bytes, errors))
        return 1;
    int problems = 0;
    uint64_t counted = 0;
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        uint64_t length = entry.bodySize + kEntryHeaderSize;
        if (entry.index > 0)
            counted += length;
        if (length != entry.sizes.unpacked) {
            std::fprintf(errors, "package_builder: entry %zu (%s): unpacked size %u, the stream gives %llu\n",
                         entry.index + 1, entry.name.c_str(), entry.sizes.unpacked,
                         static_cast<unsigned long long>(length));
            ++problems;
        }
    });
    if (walk.status != WalkStatus::Complete) {
        ReportWalkFailure(walk, errors);
        return 1;
    }
    if (walk.trailingBytes != 0) {
        std::fprintf(errors, "package_builder: %zu bytes follow the %zu entries that the list file names\n",
                     walk.trailingBytes, walk.entriesRead);
        ++problems;
    }
    if (counted != walk.list.progressTotal)
        std::fprintf(errors, "package_builder: warning: progress total %u, the entries after the list file make %llu\n",
                     walk.list.progressTotal, static_cast<unsigned long long>(counted));
    if (problems != 0)
        return 1;
    std::fprintf(out, "%s: %zu entries verified\n", options.package.c_str(), walk.entriesRead);
    return 0;
}

int RunExtract(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    std::vector<unsigned char> bytes;
    if (!LoadPackage(options, bytes, errors))
        return 1;
    if (!MakeFolder(options.folder)) {
        std::fprintf(errors, "package_builder: cannot create folder %s\n", options.folder.c_str());
        return 1;
    }
    bool written = true;
    PackageWalk walk = WalkPackage(bytes.data(), bytes.size(), [&](const WalkedEntry& entry) {
        if (!written)
            return;
        std::string path = JoinFilePath(options.folder, entry.name);
        std::string error;
        if (!WriteFileBytes(path, entry.body, entry.bodySize, error)) {
            std::fprintf(errors, "package_builder: cannot write %s: %s\n", path.c_str(), error.c_str());
            written = false;
            return;
        }
        ApplyFileStamp(path, entry.header);
        std::fprintf(out, "%s\n", path.c_str());
    });
    if (!written)
        return 1;
    if (walk.status != WalkStatus::Complete) {
        ReportWalkFailure(walk, errors);
        return 1;
    }
    return 0;
}
