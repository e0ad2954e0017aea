#pragma once
// The product's four document kinds: each checked kind opens in the product,
// shows its icon, loses Explorer's remembered choice and is recorded for the
// uninstaller.

// Registers every checked kind and records "Associate" n and "Associations".
void WriteAssociations();

// Records "Associate" n = extension in the uninstall record and resets the
// user's Explorer choice for the extension. Returns the recording's result.
int ResetExplorerChoice(const char* recordKey, const char* extension, int n);

// The four HKEY_CLASSES_ROOT values of one kind; iconIndex is "," and a digit.
void RegisterFileType(const char* extension, const char* kindName, const char* iconIndex,
                      const char* programPath);
