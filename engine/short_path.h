#pragma once
// Short (8.3) forms of paths, in place.

// Replaces the 260-byte path by its short form; a path that does not exist
// (or whose short form does not fit) keeps its long form.
void ToShortForm(char* path);
