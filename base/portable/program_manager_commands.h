#pragma once
// The program manager's command texts. Each command travels in a shared
// block of fixed size; a command that would not fit is refused, never cut,
// because a cut command would name the wrong group, item or program.
#include <cstddef>

constexpr std::size_t kCommandBlockSize = 255;   // including the terminating zero

// Each writes the command into a block of kCommandBlockSize bytes and returns
// true, or returns false with an empty block when the command does not fit.
bool ComposeCreateGroup(char* block, const char* groupName);
bool ComposeDeleteGroup(char* block, const char* groupName);
bool ComposeDeleteItem(char* block, const char* title);
bool ComposeAddItem(char* block, const char* path, const char* title);

// The item's program: the destination folder, a backslash when neither side
// brings one, and the path relative to it. Returns false (and an empty path)
// when the result does not fit the capacity.
bool ComposeItemPath(char* path, std::size_t capacity, const char* destination, const char* relative);

// A group item line is "title,relative path"; the title is cut to the
// capacity, the path is all the rest of the line.
void SplitGroupItem(const char* line, char* title, char* relativePath, std::size_t capacity);

// Removes leading and trailing blanks and tabs in place.
void TrimBlanks(char* text);
