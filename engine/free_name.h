#pragma once
// Names for the install's helper files beside a target (its temporary copy,
// its kept copy) that name nothing yet: a file that is there already, the
// user's own or one an earlier run left, is never written over.
#include <cstddef>

// Makes a file's candidate helper name for one attempt (engine/portable/file_rules.h).
using CandidateName = void (*)(const char* name, unsigned attempt, char* buffer, std::size_t capacity);

// Fills path (kTextCapacity bytes) with the folder, a backslash and the
// first candidate for the name that names nothing in the folder; false when
// none of the first thousand does or the path would not fit.
bool FindFreeName(const char* folder, const char* name, CandidateName candidate, char* path);
