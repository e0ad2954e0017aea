// libFuzzer target: the uninstall record's planning over arbitrary values.
// The input is "name=value" lines; the first line is the command line.
// Besides not crashing, the plan keeps the uninstaller's promises: a refused
// record plans nothing; every file lies in the recorded product folder or
// the Windows folder; no folder to remove is a folder of the system, not
// even one that a link inside the product folder leads to.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "uninstaller/portable/uninstall_plan.h"
#include "uninstaller/portable/uninstaller_command.h"

namespace {

const char* Lookup(const void* context, const char* name)
{
    const auto* values = static_cast<const std::map<std::string, std::string>*>(context);
    auto found = values->find(name);
    return found != values->end() ? found->second.c_str() : nullptr;
}

// The system resolves links: a folder named "Enllac" stands for the Windows
// folder, as a junction to it would.
std::string RealPath(const std::string& path)
{
    const std::string link = "\\Enllac";
    std::size_t at = path.find(link);
    if (at == std::string::npos || (at + link.size() < path.size() && path[at + link.size()] != '\\'))
        return path;
    return "C:\\WINDOWS" + path.substr(at + link.size());
}

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

void RequireKeptPromises(PlanResult result, const UninstallPlan& plan, const SystemFolders& system)
{
    if (result != PlanResult::Ready) {
        Require(plan.files.empty() && plan.folders.empty() && plan.group.empty() && plan.extensions.empty());
        return;
    }
    Require(!IsSystemFolder(plan.folder, system));
    for (const PlannedFile& file : plan.files)
        Require(IsWithinFolder(file.path.c_str(), plan.folder.c_str()) ||
                IsWithinFolder(file.path.c_str(), system.windows.c_str()));
    for (const std::string& folder : plan.folders)
        Require(!IsSystemFolder(folder, system) && IsWithinFolder(folder.c_str(), plan.folder.c_str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::map<std::string, std::string> values;
    std::size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start).c_str();
        if (first)
            ParseUninstallerCommand(line.c_str());
        else if (line.find('=') != std::string::npos)
            values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        first = false;
        start = end + 1;
    }
    const SystemFolders system{"C:\\WINDOWS",
                               {"C:\\Program Files", "C:\\Users\\Anna", "C:\\Users\\Anna\\Documents", "D:\\Temp"},
                               RealPath};
    UninstallPlan plan;
    std::string failed;
    RequireKeptPromises(PlanUninstall(RecordSource{Lookup, &values}, system, &plan, &failed), plan, system);
    return 0;
}
