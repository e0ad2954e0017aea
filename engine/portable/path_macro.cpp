#include "engine/portable/path_macro.h"

#include <cstring>

#include "base/portable/characters.h"

namespace {

struct MacroName {
    const char* text;
    PathMacro macro;
};

const MacroName kMacros[] = {
    {"<WinDir>", PathMacro::WinDir},
    {"<WinSysDir>", PathMacro::WinSysDir},
    {"<Fonts>", PathMacro::Fonts},
    {"<AppDir>", PathMacro::AppDir},
};

}  // namespace

PathMacro RecognizePathMacro(const char* text, const char** rest)
{
    const char* close = std::strchr(text, '>');
    if (close == nullptr)
        return PathMacro::None;
    std::size_t length = static_cast<std::size_t>(close - text) + 1;
    for (const MacroName& candidate : kMacros) {
        if (std::strlen(candidate.text) == length && EqualNoCase(text, candidate.text, length)) {
            *rest = close + 1;
            return candidate.macro;
        }
    }
    return PathMacro::None;
}
