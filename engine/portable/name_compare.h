#pragma once
// Comparisons of file names and macros without regard to case (ASCII only:
// every name compared here is plain ASCII).
#include <cstddef>

bool EqualNoCase(const char* left, const char* right, std::size_t length);
bool EqualNoCase(const char* left, const char* right);
