#include "registration/portable/uninstaller_contract.h"

#include "base/portable/text_helpers.h"

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
