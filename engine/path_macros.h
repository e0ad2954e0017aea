#pragma once
// Expansion of the path macro at the start of a list text.

#include <cstddef>

#include "base/portable/text_helpers.h"

// Rewrites the text in place when it starts with "<WinDir>", "<WinSysDir>",
// "<Fonts>" or "<AppDir>" (any case; "<AppDir>" is the destination) and
// returns 1; returns 0 and leaves the text unchanged otherwise. What does
// not fit the buffer is cut.
int ExpandPathMacro(char* text, const char* destination, std::size_t capacity = kTextCapacity);
