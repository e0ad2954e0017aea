#pragma once
// Text helpers on which every composed text of the wizard is built. Every
// text lives in a fixed buffer; what does not fit is cut at the buffer's end.
#include <cstddef>

constexpr std::size_t kTextCapacity = 260;   // 259 characters and the zero

// Appends the character and a new terminating zero; returns the position
// after the character, where the next text can be written.
char* AppendChar(char* text, char character, std::size_t capacity = kTextCapacity);

// Appends a text, cut so that the buffer keeps its terminating zero;
// returns the new end of the text.
char* AppendText(char* text, const char* tail, std::size_t capacity = kTextCapacity);

// Copies a text into a buffer, cut to the buffer.
char* CopyText(char* buffer, const char* text, std::size_t capacity = kTextCapacity);

// Makes sure a non-empty path ends in a backslash before the name (unless the
// name begins with one), then appends the name when given. Returns the new end.
char* JoinPath(char* path, const char* name, std::size_t capacity = kTextCapacity);

// Moves the text before the first comma into the field and keeps the rest of
// the line after the comma; without a comma the whole line moves.
void SplitFirstField(char* line, char* field, std::size_t fieldCapacity = kTextCapacity);

// The error report's text: "name: " when a name is given, the message, and
// " sentence" when a cannot-continue sentence is given.
void ComposeErrorText(char* buffer, const char* name, const char* message,
                      const char* sentence, std::size_t capacity = kTextCapacity);
