#pragma once
// Reading a Kestrel document from its file.
#include <string>

enum class DocumentRead {
    Read,
    Unreadable,   // missing, a folder, locked or failing to read
    TooLarge,     // more than a text box holds comfortably
};

constexpr unsigned long kLargestDocument = 4ul * 1024 * 1024;

DocumentRead ReadDocument(const std::string& path, std::string* bytes);
