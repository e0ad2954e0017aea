#include "base/version_library.h"

#include "base/library_search.h"

namespace {

template <typename Function>
void Bind(HMODULE library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The library stays loaded for the rest of the process.
VersionFunctions BindVersionFunctions()
{
    VersionFunctions functions = {};
    HMODULE library = LoadSystemLibrary("version.dll");
    if (library == nullptr)
        return functions;
    Bind(library, "GetFileVersionInfoSizeA", functions.GetFileVersionInfoSizeA);
    Bind(library, "GetFileVersionInfoA", functions.GetFileVersionInfoA);
    Bind(library, "VerQueryValueA", functions.VerQueryValueA);
    return functions;
}

}  // namespace

const VersionFunctions* VersionLibrary()
{
    static const VersionFunctions functions = BindVersionFunctions();
    bool complete = functions.GetFileVersionInfoSizeA != nullptr && functions.GetFileVersionInfoA != nullptr
                    && functions.VerQueryValueA != nullptr;
    return complete ? &functions : nullptr;
}
