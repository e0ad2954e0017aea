#include "test_environment.h"

#include <windows.h>

namespace {

std::string Variable(const char* name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// Unix paths reach a Wine program through the Z: drive.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace

std::string BuildFile(const char* name)
{
    std::string folder = Variable("INSTAL_BUILD");
    if (folder.empty()) {
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, sizeof module);
        folder = module;
        folder.erase(folder.find_last_of('\\'));
    }
    return WindowsPath(folder) + "\\" + name;
}

std::string ArtifactFolder()
{
    std::string folder = WindowsPath(Variable("INSTAL_ARTIFACTS"));
    if (folder.empty())
        folder = WindowsPath(Variable("TEMP"));
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string SourceFile(const char* relativePath)
{
    return WindowsPath(Variable("INSTAL_SOURCE") + "/" + relativePath);
}
