#include "tools/inspect_commands.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "engine/portable/package_walk.h"
#include "tools/file_stamp.h"
#include "tools/file_time.h"

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The package read in order, never whole; nullptr after reporting why not.
File OpenPackage(const BuilderOptions& options, std::FILE* errors)
{
    File package(std::fopen(options.package.c_str(), "rb"), std::fclose);
    if (!package)
        std::fprintf(errors, "package_builder: cannot read %s: %s\n", options.package.c_str(), std::strerror(errno));
    return package;
}

// Reads the package and counts its bytes.
PackageSource SourceOf(std::FILE* package, uint64_t& bytesRead)
{
    return [package, &bytesRead](unsigned char* buffer, std::size_t size) {
        std::size_t got = std::fread(buffer, 1, size, package);
        bytesRead += got;
        return got;
    };
}

bool IgnoreBody(const WalkedEntry&, const unsigned char*, std::size_t)
{
    return true;
}

void ReportWalkFailure(const PackageWalk& walk, std::FILE* errors)
{
    if (walk.status == WalkStatus::BadHeader)
        std::fprintf(errors, "package_builder: damaged package: %s\n", DescribeWalkStatus(walk.status));
    else
        std::fprintf(errors, "package_builder: damaged package: entry %zu (%s) at offset %llu: %s\n",
                     walk.entriesRead + 1, walk.failedName.c_str(),
                     static_cast<unsigned long long>(walk.failedOffset), DescribeWalkStatus(walk.status));
}

double Percent(uint64_t part, uint64_t whole)
{
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

int RunList(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    File package = OpenPackage(options, errors);
    if (!package)
        return 1;
    uint64_t unpacked = 0;
    uint64_t packed = 0;
    uint64_t packageSize = 0;
    bool headerShown = false;
    PackageWalk walk = WalkPackageStream(SourceOf(package.get(), packageSize), IgnoreBody, [&](const WalkedEntry& entry) {
        if (!headerShown) {
            std::fprintf(out, "%5s %-24s %10s %10s %6s %8s  %s\n", "entry", "name", "size", "packed", "ratio",
                         "attrib", "last written (UTC)");
            headerShown = true;
        }
        unpacked += entry.bodySize;
        packed += entry.sizes.packed + kEntrySizesLength;
        std::fprintf(out, "%5zu %-24s %10llu %10u %5.1f%% %08X  %s\n", entry.index + 1, entry.name.c_str(),
                     static_cast<unsigned long long>(entry.bodySize), entry.sizes.packed, Percent(entry.sizes.packed, entry.sizes.unpacked),
                     entry.header.attributes, FormatFileTime(entry.header.writeTime).c_str());
    });
    if (walk.status != WalkStatus::Complete) {
        ReportWalkFailure(walk, errors);
        return 1;
    }
    std::fprintf(out, "%s, list file %s: %zu entries, %llu bytes in %llu (%.1f%%)\n", options.package.c_str(),
                 ListFileNameForSelector(walk.selector), walk.entriesRead, static_cast<unsigned long long>(unpacked),
                 static_cast<unsigned long long>(packageSize), Percent(packageSize, unpacked));
    return 0;
}

int RunVerify(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    File package = OpenPackage(options, errors);
    if (!package)
        return 1;
    int problems = 0;
    uint64_t counted = 0;
    uint64_t packageSize = 0;
    PackageWalk walk = WalkPackageStream(SourceOf(package.get(), packageSize), IgnoreBody, [&](const WalkedEntry& entry) {
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
        std::fprintf(errors, "package_builder: %llu bytes follow the %zu entries that the list file names\n",
                     static_cast<unsigned long long>(walk.trailingBytes), walk.entriesRead);
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

namespace {

// The entry's file, opened at its first piece and closed at its visit.
struct ExtractedFile {
    std::FILE* file = nullptr;
    std::string path;
    bool failed = false;
};

bool OpenExtracted(const BuilderOptions& options, const WalkedEntry& entry, ExtractedFile& extracted,
                   std::FILE* errors)
{
    extracted.path = JoinFilePath(options.folder, entry.name);
    extracted.file = std::fopen(extracted.path.c_str(), "wb");
    extracted.failed = extracted.file == nullptr;
    if (extracted.failed)
        std::fprintf(errors, "package_builder: cannot write %s: %s\n", extracted.path.c_str(), std::strerror(errno));
    return !extracted.failed;
}

bool WritePiece(ExtractedFile& extracted, const unsigned char* bytes, std::size_t size, std::FILE* errors)
{
    if (std::fwrite(bytes, 1, size, extracted.file) == size)
        return true;
    std::fprintf(errors, "package_builder: cannot write %s: %s\n", extracted.path.c_str(), std::strerror(errno));
    extracted.failed = true;
    return false;
}

}  // namespace

int RunExtract(const BuilderOptions& options, std::FILE* out, std::FILE* errors)
{
    File package = OpenPackage(options, errors);
    if (!package)
        return 1;
    if (!MakeFolder(options.folder)) {
        std::fprintf(errors, "package_builder: cannot create folder %s\n", options.folder.c_str());
        return 1;
    }
    ExtractedFile extracted;
    BodyPiece write = [&](const WalkedEntry& entry, const unsigned char* bytes, std::size_t size) {
        if (extracted.failed)
            return false;
        if (extracted.file == nullptr && !OpenExtracted(options, entry, extracted, errors))
            return false;
        return WritePiece(extracted, bytes, size, errors);
    };
    uint64_t packageSize = 0;
    PackageWalk walk = WalkPackageStream(SourceOf(package.get(), packageSize), write, [&](const WalkedEntry& entry) {
        if (extracted.failed)
            return;
        if (extracted.file == nullptr && !OpenExtracted(options, entry, extracted, errors))
            return;
        bool closed = std::fclose(extracted.file) == 0;
        extracted.file = nullptr;
        if (!closed) {
            std::fprintf(errors, "package_builder: cannot write %s: %s\n", extracted.path.c_str(), std::strerror(errno));
            extracted.failed = true;
            return;
        }
        ApplyFileStamp(extracted.path, entry.header);
        std::fprintf(out, "%s\n", extracted.path.c_str());
    });
    // The file of an entry that did not decode to its end is partial.
    if (extracted.file != nullptr) {
        std::fclose(extracted.file);
        std::remove(extracted.path.c_str());
    }
    if (extracted.failed)
        return 1;
    if (walk.status != WalkStatus::Complete) {
        ReportWalkFailure(walk, errors);
        return 1;
    }
    return 0;
}
