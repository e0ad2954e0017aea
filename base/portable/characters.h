#pragma once
// Character helpers for texts in the ANSI code page 1252.
#include <cstddef>

// Lower case, accented capitals included.
char Lower(char c);
// A blank or a tab.
bool IsBlank(char c);
// The first length characters (or up to both texts' end) without regard to case.
bool EqualNoCase(const char* left, const char* right, std::size_t length);
bool EqualNoCase(const char* left, const char* right);
