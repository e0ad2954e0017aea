#pragma once
// Whole files in and out of memory, with the system's reason on failure.
#include <string>
#include <vector>

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes, std::string& error);
bool WriteFileBytes(const std::string& path, const unsigned char* bytes, std::size_t size, std::string& error);
// The name after the last "/" or "\".
std::string BaseName(const std::string& path);
