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

struct Switch {
    const char* word;
    UninstallerMode mode;
    UninstallerDisplay display;
};

const Switch kSwitches[] = {
    {"S", UninstallerMode::Silent, UninstallerDisplay::Everything},
    {"R", UninstallerMode::Restart, UninstallerDisplay::Everything},
    {"SILENT", UninstallerMode::Silent, UninstallerDisplay::ProgressOnly},
    {"VERYSILENT", UninstallerMode::Silent, UninstallerDisplay::Nothing},
};

// The switch's word runs from after the slash to the next blank.
const Switch* FindSwitch(const char* word)
{
    std::size_t length = 0;
    while (word[length] != '\0' && !IsBlank(word[length]))
        ++length;
    for (const Switch& candidate : kSwitches) {
        if (std::strlen(candidate.word) == length && EqualNoCase(word, candidate.word, length))
            return &candidate;
    }
    return nullptr;
}

}  // namespace

UninstallerCommand ParseUninstallerCommand(const char* commandLine)
{
    UninstallerCommand command = {UninstallerMode::Invalid, UninstallerDisplay::Everything, ""};
    if (commandLine == nullptr)
        return command;
    const char* text = SkipBlanks(SkipProgramName(commandLine));
    UninstallerMode mode = UninstallerMode::Ask;
    if (*text == '/') {
        const Switch* found = FindSwitch(text + 1);
        if (found == nullptr)
            return command;
        mode = found->mode;
        command.display = found->display;
        text = SkipBlanks(text + 1 + std::strlen(found->word));
    }
    if (ReadProductKey(text, command.productKey))
        command.mode = mode;
    else
        command.productKey[0] = '\0';
    return command;
}
