#pragma once
// Splitting the program's command line.
#include <cstddef>

// Copies the command line without its first item (the program path: up to
// the closing double quote when it starts with one, else up to the first
// blank) into the buffer, with leading and trailing blanks and tabs removed,
// cut at the buffer's capacity.
void CommandArguments(const char* commandLine, char* buffer, std::size_t capacity);
