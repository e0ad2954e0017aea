#include "base/portable/safe_names.h"

#include "base/portable/characters.h"

namespace {

// The system ignores trailing dots and blanks of a name, so ". ." is "..".
bool IsOnlyDots(const std::string& part)
{
    bool dot = false;
    for (char c : part) {
        if (c == '.')
            dot = true;
        else if (c != ' ')
            return false;
    }
    return dot;
}

// A device name stays one with any extension and trailing blanks: "nul.txt".
bool IsDeviceName(const std::string& part)
{
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (EqualNoCase(base.c_str(), device))
            return true;
    }
    if (base.size() == 4 && (EqualNoCase(base.c_str(), "COM", 3) || EqualNoCase(base.c_str(), "LPT", 3)))
        return base[3] >= '0' && base[3] <= '9';
    return false;
}

bool HasControlCharacter(const std::string& part)
{
    for (char c : part) {
        if (static_cast<unsigned char>(c) < ' ')
            return true;
    }
    return false;
}

}  // namespace

NamePartProblem CheckNamePart(const std::string& part)
{
    if (IsOnlyDots(part))
        return NamePartProblem::Dots;
    if (IsDeviceName(part) || HasControlCharacter(part))
        return NamePartProblem::Device;
    return NamePartProblem::None;
}
