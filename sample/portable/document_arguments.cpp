#include "sample/portable/document_arguments.h"

#include <cctype>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* at)
{
    while (IsBlank(*at))
        ++at;
    return at;
}

bool StartsWithIgnoringCase(const char* text, const char* prefix)
{
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (std::tolower(static_cast<unsigned char>(*text)) != std::tolower(static_cast<unsigned char>(*prefix)))
            return false;
    }
    return true;
}

// The first character after the program path.
const char* SkipProgramPath(const char* line, const char* programPath)
{
    if (*line == '"') {
        const char* closing = line + 1;
        while (*closing != '\0' && *closing != '"')
            ++closing;
        return *closing == '"' ? closing + 1 : closing;
    }
    std::size_t length = std::char_traits<char>::length(programPath);
    if (length > 0 && StartsWithIgnoringCase(line, programPath) &&
        (line[length] == '\0' || IsBlank(line[length])))
        return line + length;
    while (*line != '\0' && !IsBlank(*line))
        ++line;
    return line;
}

// One argument from *at; quotes group blanks and are dropped.
std::string NextArgument(const char** at)
{
    std::string argument;
    bool quoted = false;
    const char* c = *at;
    for (; *c != '\0' && (quoted || !IsBlank(*c)); ++c) {
        if (*c == '"')
            quoted = !quoted;
        else
            argument += *c;
    }
    *at = c;
    return argument;
}

}  // namespace

std::vector<std::string> DocumentArguments(const char* commandLine, const char* programPath)
{
    std::vector<std::string> documents;
    if (commandLine == nullptr)
        return documents;
    const char* at = SkipProgramPath(commandLine, programPath != nullptr ? programPath : "");
    for (at = SkipBlanks(at); *at != '\0'; at = SkipBlanks(at)) {
        std::string argument = NextArgument(&at);
        if (!argument.empty())
            documents.push_back(argument);
    }
    return documents;
}

std::string PackDocumentList(const std::vector<std::string>& documents)
{
    std::string block;
    for (const std::string& name : documents) {
        block += name;
        block += '\0';
    }
    return block;
}

std::vector<std::string> UnpackDocumentList(const char* data, std::size_t size)
{
    std::vector<std::string> documents;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i < size && data[i] != '\0')
            continue;
        if (i > start)
            documents.emplace_back(data + start, i - start);
        start = i + 1;
    }
    return documents;
}
