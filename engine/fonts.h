#pragma once
// Making an installed font known to the system.

// For a font name (".ttf" or ".fon"): adds the font from the fonts folder,
// records it under the system's font key and tells every window. Returns 1
// for a font, whatever happened to it, and 0 for any other name.
int InstallFont(const char* name, int osCode);
