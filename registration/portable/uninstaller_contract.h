#pragma once
// The system's uninstall entry, through which the separate uninstaller is
// started when the user removes the product. Texts are cut at 260 bytes.
#include "base/portable/product_files.h"

constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// The restart record, a subkey of the product's record under
// HKEY_LOCAL_MACHINE: what the uninstaller's run at the next start ("/R",
// started by the run-once value) does once files in use are in place.
constexpr char kRestartSubkey[] = "Restart";
constexpr char kRestartRegisters[] = "Registers";       // how many libraries to register
constexpr char kRestartRegisterPrefix[] = "Register";   // "Register1".."Registern": their paths
constexpr char kRestartDeleteKey[] = "DeleteKey";       // "1": the product's record goes too
constexpr char kRestartDeleteDir[] = "DeleteDir";       // an empty folder to delete, or ""
constexpr char kRestartRunOnceValue[] = "TWRestart";    // the run-once value's name

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K".
void ComposeSystemUninstallKey(char* buffer, const char* productKey);
// "WINDIR\KSUninst.exe K": no switch, so the uninstaller asks and removes.
// The program is quoted when its path holds a blank, else the system could
// start "C:\Program.exe" instead; without one the text stays as other tools
// have always read it.
void ComposeUninstallString(char* buffer, const char* windowsDirectory, const char* productKey);
// "WINDIR\KSUninst.exe /VERYSILENT K": the same removal for deployment
// tools, without a question or a window.
void ComposeQuietUninstallString(char* buffer, const char* windowsDirectory, const char* productKey);
// The program's path, quoted when it holds a blank.
void ComposeQuotedProgram(char* buffer, const char* program);
// A document's open command, "\"PROGRAM\" \"%1\"": always quoted, for the
// same reason.
void ComposeOpenCommand(char* buffer, const char* program);

// What the system's programs list shows beside the entry's name:
// "PROGRAM,0", the program quoted when its path holds a blank.
void ComposeDisplayIcon(char* buffer, const char* program);
// "YYYYMMDD"; the buffer holds at least 9 bytes.
void ComposeInstallDate(char* buffer, int year, int month, int day);
