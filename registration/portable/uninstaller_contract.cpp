#include "registration/portable/uninstaller_contract.h"

#include <cstring>

#include "base/portable/text_helpers.h"

namespace {

void ComposeUninstallerCommand(char* buffer, const char* windowsDirectory, const char* arguments)
{
    char program[kTextCapacity];
    CopyText(program, windowsDirectory);
    JoinPath(program, kUninstallerName);
    ComposeQuotedProgram(buffer, program);
    AppendChar(buffer, ' ');
    AppendText(buffer, arguments);
}

}  // namespace

void ComposeSystemUninstallKey(char* buffer, const char* productKey)
{
    CopyText(buffer, kCurrentVersionKey);
    JoinPath(buffer, "Uninstall");
    JoinPath(buffer, productKey);
}

void ComposeUninstallString(char* buffer, const char* windowsDirectory, const char* productKey)
{
    ComposeUninstallerCommand(buffer, windowsDirectory, productKey);
}

void ComposeQuietUninstallString(char* buffer, const char* windowsDirectory, const char* productKey)
{
    char arguments[kTextCapacity] = "/VERYSILENT ";
    AppendText(arguments, productKey);
    ComposeUninstallerCommand(buffer, windowsDirectory, arguments);
}

void ComposeQuotedProgram(char* buffer, const char* program)
{
    bool blank = std::strchr(program, ' ') != nullptr;
    CopyText(buffer, blank ? "\"" : "");
    AppendText(buffer, program);
    if (blank)
        AppendChar(buffer, '"');
}

void ComposeOpenCommand(char* buffer, const char* program)
{
    CopyText(buffer, "\"");
    AppendText(buffer, program);
    AppendText(buffer, "\" \"%1\"");
}

void ComposeDisplayIcon(char* buffer, const char* program)
{
    ComposeQuotedProgram(buffer, program);
    AppendText(buffer, ",0");
}

void ComposeInstallDate(char* buffer, int year, int month, int day)
{
    const int digits[] = {year / 1000 % 10, year / 100 % 10, year / 10 % 10, year % 10,
                          month / 10 % 10, month % 10, day / 10 % 10, day % 10};
    for (int i = 0; i < 8; ++i)
        buffer[i] = static_cast<char>('0' + digits[i]);
    buffer[8] = '\0';
}
