#pragma once
// Text of a number for counted value names (File1, Item2) and numeric data.
#include <cstdint>

// Mode 1 signed decimal, 2 upper-case hexadecimal and "H", 0 binary digits
// and "B", 3 leaves the buffer untouched, anything else decimal. The buffer
// holds at least 36 bytes.
void NumberToText(int32_t value, char* buffer, int mode);
