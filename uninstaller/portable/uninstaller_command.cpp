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

// The key runs to the next blank or the end; returns what follows it, or
// nullptr for a key that is empty, too long or holds a character it may not.
const char* ReadProductKey(const char* text, char* key)
{
    std::size_t length = 0;
    while (IsKeyCharacter(text[length]))
        ++length;
    if (length == 0 || length >= kProductKeyCapacity || (text[length] != '\0' && !IsBlank(text[length])))
        return nullptr;
    std::memcpy(key, text, length);
    key[length] = '\0';
    return text + length;
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
std::size_t WordLength(const char* word)
{
    std::size_t length = 0;
    while (word[length] != '\0' && !IsBlank(word[length]))
        ++length;
    return length;
}

const Switch* FindSwitch(const char* word)
{
    std::size_t length = WordLength(word);
    for (const Switch& candidate : kSwitches) {
        if (std::strlen(candidate.word) == length && EqualNoCase(word, candidate.word, length))
            return &candidate;
    }
    return nullptr;
}

constexpr char kLogWord[] = "LOG";
constexpr std::size_t kLogWordLength = sizeof kLogWord - 1;

bool IsLogSwitch(const char* word)
{
    return EqualNoCase(word, kLogWord, kLogWordLength) &&
           (word[kLogWordLength] == '=' || WordLength(word) == kLogWordLength);
}

// "LOG", "LOG=file" or LOG="file with blanks"; returns what follows it, or
// nullptr for an empty or unterminated file.
const char* ReadLogSwitch(const char* word, std::string& file)
{
    const char* text = word + kLogWordLength;
    if (*text != '=') {
        file.clear();
        return text;
    }
    ++text;
    const char* end = *text == '"' ? std::strchr(text + 1, '"') : text + WordLength(text);
    if (end == nullptr)
        return nullptr;
    file.assign(*text == '"' ? text + 1 : text, end);
    if (*end == '"')
        ++end;
    return file.empty() ? nullptr : end;
}

}  // namespace

UninstallerCommand ParseUninstallerCommand(const char* commandLine)
{
    UninstallerCommand command = {UninstallerMode::Invalid, UninstallerDisplay::Everything, "", {}};
    if (commandLine == nullptr)
        return command;
    const char* text = SkipBlanks(SkipProgramName(commandLine));
    UninstallerMode mode = UninstallerMode::Ask;
    bool modeGiven = false;
    char key[kProductKeyCapacity] = "";
    while (*text != '\0') {
        const char* word = text + 1;
        if (*text != '/') {
            if (key[0] != '\0' || (text = ReadProductKey(text, key)) == nullptr)
                return command;
        } else if (IsLogSwitch(word)) {
            std::string file;
            if (command.logFile || (text = ReadLogSwitch(word, file)) == nullptr)
                return command;
            command.logFile = file;
        } else {
            const Switch* found = FindSwitch(word);
            if (found == nullptr || modeGiven)
                return command;
            modeGiven = true;
            mode = found->mode;
            command.display = found->display;
            text = word + std::strlen(found->word);
        }
        text = SkipBlanks(text);
    }
    if (key[0] != '\0') {
        command.mode = mode;
        std::memcpy(command.productKey, key, sizeof key);
    }
    return command;
}
