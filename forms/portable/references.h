#pragma once
// Encodings of the object record's reference words: a string reference is a
// string-table identifier or a text address, a resource reference is a
// resource identifier or a handle, a colour value is an RGB colour or a
// system colour index.
#include <cstdint>

constexpr std::uintptr_t kLargestIdentifier = 0xFFFF;

// Up to 0xFFFF: an identifier (never memory to free).
inline bool IsIdentifier(std::uintptr_t value) { return value <= kLargestIdentifier; }
// A resource reference that still names a resource to load (1 to 0xFFFF).
inline bool IsResourceNumber(std::uintptr_t value) { return value != 0 && value <= kLargestIdentifier; }

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

inline bool IsSystemColor(std::uint32_t color) { return (color & kSystemColorFlag) != 0; }
inline int SystemColorIndex(std::uint32_t color) { return static_cast<int>(color & 0xFF); }
constexpr std::uint32_t SystemColor(int index) { return kSystemColorFlag | static_cast<std::uint32_t>(index); }
