// libFuzzer target: the uninstall record's planning over arbitrary values.
// The input is "name=value" lines; the first line is the command line.
#include <cstddef>
#include <cstdint>
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
    UninstallPlan plan;
    std::string failed;
    PlanUninstall(RecordSource{Lookup, &values}, SystemFolders{"C:\\WINDOWS", {"C:\\Program Files"}, nullptr}, &plan,
                  &failed);
    return 0;
}
