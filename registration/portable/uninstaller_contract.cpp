#include "registration/portable/uninstaller_contract.h"

#include "wizard/portable/text_helpers.h"

void ComposeProductKey(char* buffer, const char* productKey, const char* subkey)
{
    CopyText(buffer, kProductsKey);
    JoinPath(buffer, productKey);
    if (subkey != nullptr)
        JoinPath(buffer, subkey);
}

void ComposeSystemUninstallKey(char* buffer, const char* productKey)
{
    CopyText(buffer, kCurrentVersionKey);
    JoinPath(buffer, "Uninstall");
    JoinPath(buffer, productKey);
}

void ComposeUninstallString(char* buffer, const char* windowsDirectory, const char* productKey)
{
    CopyText(buffer, windowsDirectory);
    JoinPath(buffer, kUninstallerName);
    AppendChar(buffer, ' ');
    AppendText(buffer, productKey);
}

void ComposeRestartCommand(char* buffer, const char* windowsDirectory, const char* productKey)
{
    CopyText(buffer, windowsDirectory);
    JoinPath(buffer, kUninstallerName);
    AppendText(buffer, " /R ");
    AppendText(buffer, productKey);
}

void ComposeRemovalArguments(char* buffer, const char* productKey, const char* suffix)
{
    CopyText(buffer, " /S ");
    AppendText(buffer, productKey);
    AppendText(buffer, suffix);
}
