#include "registry_dump.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "test_environment.h"

void WalkKey(HKEY root, const std::string& rootName, const std::string& path, const KeyVisitor& visit)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::string here = rootName + "\\" + path;
    visit(here, nullptr);
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        RegistryValue value = {name.data(), 0, data.data(), 0};
        LONG result = RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &value.type, data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS)
            continue;
        value.size = dataSize;
        visit(here, &value);
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD size = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name.data());
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        WalkKey(root, rootName, path.empty() ? child : path + "\\" + child, visit);
}

void DumpKey(std::ostringstream& out, HKEY root, const char* rootName, const std::string& path)
{
    WalkKey(root, rootName, path, [&](const std::string& key, const RegistryValue* value) {
        if (value == nullptr) {
            out << "[" << key << "]\n";
            return;
        }
        out << (value->name[0] ? value->name : "@") << "=";
        if (value->type == REG_SZ)
            out << '"' << reinterpret_cast<const char*>(value->data) << '"';
        else if (value->type == REG_DWORD)
            out << "dword:" << *reinterpret_cast<const DWORD*>(value->data);
        else
            out << "type " << value->type;
        out << "\n";
    });
}

std::string GoldenText(const char* sourcePath, const std::string& dump)
{
    std::string golden = SourceFile(sourcePath);
    // A rewritten golden file checks nothing: the run says so where it cannot be missed.
    if (GetEnvironmentVariableA("INSTAL_UPDATE_GOLDEN", nullptr, 0) != 0) {
        std::ofstream(golden, std::ios::binary) << dump;
        std::fprintf(stderr, "\n*** INSTAL_UPDATE_GOLDEN is set: rewrote %s; this run checked nothing against it ***\n\n",
                     golden.c_str());
    }
    std::ifstream file(golden, std::ios::binary);
    if (!file)
        return "(no golden file " + golden + ")";
    std::stringstream expected;
    expected << file.rdbuf();
    return expected.str();
}
