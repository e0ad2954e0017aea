#pragma once
// The one rule for the parts of a path that come from outside (a package,
// a list file, an uninstall record): what the system would not take as a
// plain name in a folder.
#include <string>

enum class NamePartProblem {
    None,
    Dots,     // "..", ".", or only dots and blanks, which the system reads as dots
    Device,   // CON, NUL, CLOCK$, COM1..., with any extension or trailing blanks; or a control character
};

NamePartProblem CheckNamePart(const std::string& part);
