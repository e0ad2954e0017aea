#include "uninstaller/portable/uninstaller_command.h"

#include <cstring>

#include "base/portable/characters.h"

namespace {

const char* SkipBlanks(const char* text)
{
    while (IsBlank(*text))
        ++text;
    return text;
}

// The program name is the first token unless the line begins with a blank
// (the wizard passes only the arguments) or with a switch.
const char* SkipProgramName(const char* line)
{
    if (*line == '"') {
        const char* end = std::strchr(line + 1, '"');
        return end != nullptr ? end + 1 : line + std::strlen(line);
    }
    if (*line == '/' || IsBlank(*line))
        return line;
    while (*line != '\0' && !IsBlank(*line))
        ++line;
    return line;
}

bool IsKeyCharacter(char c)
{
    auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && c != '\\' && c != '/' && c != '"' && byte != 0x7F;
}

// The key runs to the next blank; only blanks may follow it.
bool ReadProductKey(const char* text, char* key)
{
    std::size_t length = 0;
    while (IsKeyCharacter(text[length]))
        ++length;
    if (length == 0 || length >= kProductKeyCapacity || *SkipBlanks(text + length) != '\0')
        return false;
    std::memcpy(key, text, length);
    key[length] = '\0';
    return true;
}

UninstallerMode SwitchMode(char letter)
{
    switch (letter) {
    case 's':
    case 'S':
        return UninstallerMode::Silent;
    case 'r':
    case 'R':
        return UninstallerMode::Restart;
    default:
        return UninstallerMode::Invalid;
    }
}

}  // namespace

UninstallerCommand ParseUninstallerCommand(const char* commandLine)
{
    UninstallerCommand command = {UninstallerMode::Invalid, ""};
    if (commandLine == nullptr)
        return command;
    const char* text = SkipBlanks(SkipProgramName(commandLine));
    UninstallerMode mode = UninstallerMode::Ask;
    if (*text == '/') {
        mode = SwitchMode(text[1]);
        if (mode == UninstallerMode::Invalid || !IsBlank(text[2]))
            return command;
        text = SkipBlanks(text + 2);
    }
    if (ReadProductKey(text, command.productKey))
        command.mode = mode;
    else
        command.productKey[0] = '\0';
    return command;
}
