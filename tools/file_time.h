#pragma once
// FILETIME values (100 ns since 1601-01-01 UTC) and their text form.
#include <cstdint>
#include <string>

uint64_t FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds);
void UnixFromFileTime(uint64_t fileTime, int64_t& seconds, uint32_t& nanoseconds);

// Reads "YYYY-MM-DDTHH:MM:SS" (UTC; a space may replace the T).
bool ParseFileTimeText(const std::string& text, uint64_t& fileTime);
// "YYYY-MM-DD HH:MM:SS" in UTC.
std::string FormatFileTime(uint64_t fileTime);
