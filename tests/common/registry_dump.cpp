#include "registry_dump.h"

#include <fstream>
#include <vector>

#include "test_environment.h"

// Every value of a key and its subkeys, values in the registry's own order.
void DumpKey(std::ostringstream& out, HKEY root, const char* rootName, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out << "[" << rootName << "\\" << path << "]\n";
    for (DWORD i = 0;; ++i) {
        char name[260];
        BYTE data[1024];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        out << (name[0] ? name : "@") << "=";
        if (type == REG_SZ)
            out << '"' << reinterpret_cast<const char*>(data) << '"';
        else if (type == REG_DWORD)
            out << "dword:" << *reinterpret_cast<const DWORD*>(data);
        else
            out << "type " << type;
        out << "\n";
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        char name[260];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        DumpKey(out, root, rootName, path + "\\" + child);
}

std::string GoldenText(const char* sourcePath, const std::string& dump)
{
    std::string golden = SourceFile(sourcePath);
    if (GetEnvironmentVariableA("INSTAL_UPDATE_GOLDEN", nullptr, 0) != 0)
        std::ofstream(golden, std::ios::binary) << dump;
    std::ifstream file(golden, std::ios::binary);
    if (!file)
        return "(no golden file " + golden + ")";
    std::stringstream expected;
    expected << file.rdbuf();
    return expected.str();
}
