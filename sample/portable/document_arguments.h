#pragma once
// Kestrel's command line and the document list that a second start hands
// to the running copy.
#include <cstddef>
#include <string>
#include <vector>

// The documents named on the whole command line as the system gives it.
// The program path comes first: quoted, or unquoted up to the first blank;
// an unquoted path that holds blanks (as the shell may start a program
// whose command was registered without quotes) is skipped whole when it is
// programPath, compared without regard to case. Each further argument is
// one document, quoted or not; a quote pair may sit inside an argument and
// only groups the blanks between its quotes.
std::vector<std::string> DocumentArguments(const char* commandLine, const char* programPath);

// The documents as one block: each name ended by a zero byte.
std::string PackDocumentList(const std::vector<std::string>& documents);
// The names of a packed block; a last name without its zero still counts,
// empty names are dropped.
std::vector<std::string> UnpackDocumentList(const char* data, std::size_t size);
