#pragma once
// The keys and command lines that the separate uninstaller relies on. Every
// text is composed in a 260-byte buffer and cut at its end.

constexpr char kProductsKey[] = "SOFTWARE\\TWC Products";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kUninstallerName[] = "KSUninst.exe";

// "SOFTWARE\TWC Products\K", and "\subkey" after it when one is given
// ("Settings", "Uninstall", "User", "Restart").
void ComposeProductKey(char* buffer, const char* productKey, const char* subkey);
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K".
void ComposeSystemUninstallKey(char* buffer, const char* productKey);
// The system's uninstall command: "WINDIR\KSUninst.exe K".
void ComposeUninstallString(char* buffer, const char* windowsDirectory, const char* productKey);
// The next start's command: "WINDIR\KSUninst.exe /R K".
void ComposeRestartCommand(char* buffer, const char* windowsDirectory, const char* productKey);
// The removal run's command line: " /S " and K with the record's suffix.
void ComposeRemovalArguments(char* buffer, const char* productKey, const char* suffix);
