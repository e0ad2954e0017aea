#pragma once
// Registry paths of the product record: "SOFTWARE\TWC Products\<key><suffix>"
// and its subkeys "Settings", "Uninstall", "User" and "Restart".
#include <cstddef>

// The maker's key, which holds the records of all its products.
constexpr char kProductsKey[] = "SOFTWARE\\TWC Products";

// Writes "SOFTWARE\TWC Products\<productKey><suffix>" followed, when a
// subkey is given, by a backslash and the subkey.
void ProductRecordKey(char* buffer, std::size_t capacity, const char* productKey,
                      const char* suffix, const char* subkey);
