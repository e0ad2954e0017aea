#include "tools/check_command.h"

#include <filesystem>
#include <system_error>

#include "tools/file_bytes.h"
#include "tools/file_stamp.h"

FolderFiles LookUpFolder(const std::string& folder, const std::vector<std::string>& names)
{
    FolderFiles files;
    for (const std::string& name : names) {
        FolderFile file = {JoinFilePath(folder, name), false, 0};
        std::error_code error;
        if (std::filesystem::is_regular_file(file.path, error)) {
            file.size = std::filesystem::file_size(file.path, error);
            file.present = !error;
        }
        files[name] = file;
    }
    return files;
}

std::size_t PrintFindings(const std::string& listFile, const std::vector<Finding>& findings, std::FILE* output)
{
    for (const Finding& finding : findings)
        std::fprintf(output, "%s\n", FormatFinding(listFile, finding).c_str());
    return CountErrors(findings);
}

int RunCheck(const BuilderOptions& options, std::FILE* output, std::FILE* errors)
{
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadFileBytes(options.listFile, bytes, error)) {
        std::fprintf(errors, "package_builder: cannot read list file %s: %s\n", options.listFile.c_str(),
                     error.c_str());
        return 1;
    }
    ListLayout layout = ReadListLayout(bytes);
    FolderFiles folder;
    if (!options.folder.empty())
        folder = LookUpFolder(options.folder, NamesInPackage(layout));
    std::vector<Finding> findings = CheckListFile(layout, options.folder.empty() ? nullptr : &folder);
    std::size_t errorCount = PrintFindings(options.listFile, findings, output);
    std::size_t warningCount = findings.size() - errorCount;
    std::fprintf(output, "%s: %zu error%s, %zu warning%s\n", options.listFile.c_str(), errorCount,
                 errorCount == 1 ? "" : "s", warningCount, warningCount == 1 ? "" : "s");
    return errorCount == 0 ? 0 : 1;
}
