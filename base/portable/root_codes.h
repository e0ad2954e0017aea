#pragma once
// Root keys of the registry travel as their 32-bit codes.
#include <cstdint>

using RootCode = uint32_t;
constexpr RootCode kClassesRoot = 0x80000000u;
constexpr RootCode kCurrentUser = 0x80000001u;
constexpr RootCode kLocalMachine = 0x80000002u;
constexpr RootCode kUsers = 0x80000003u;
constexpr RootCode kDynData = 0x80000006u;
