#pragma once
// The system's uninstall entry, through which the separate uninstaller is
// started when the user removes the product. Texts are cut at 260 bytes.
#include "base/portable/product_files.h"

constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\K".
void ComposeSystemUninstallKey(char* buffer, const char* productKey);
// "WINDIR\KSUninst.exe K": no switch, so the uninstaller asks and removes.
void ComposeUninstallString(char* buffer, const char* windowsDirectory, const char* productKey);
