#include "wizard/command_line_start.h"

#include <windows.h>

#include <string>

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "engine/portable/list_file.h"
#include "resources/string_ids.h"
#include "wizard/portable/answers_file.h"
#include "wizard/portable/wizard_command.h"
#include "base/run_log.h"
#include "wizard/wizard_state.h"

namespace {

// The run ends on a wrong argument, the box first unless the line asked for
// silence.
bool Refuse(int stringId, const std::string& name, bool quiet)
{
    if (!quiet)
        ReportError(stringId, name.c_str(), false);
    g_wizard.exitCode = kExitBadCommandLine;
    return false;
}

bool ReadWholeFile(const char* path, std::string& text)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0 && text.size() < (1u << 20))
        text.append(chunk, read);
    CloseHandle(file);
    return true;
}

// Started by its path alone, a program gets that path as its command line,
// unquoted even where it holds blanks: the arguments begin after it.
std::string WithProgramQuoted(const char* commandLine)
{
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    bool bare = length > 0 && length < sizeof program && _strnicmp(commandLine, program, length) == 0
                && (commandLine[length] == '\0' || commandLine[length] == ' ');
    return bare ? "\"" + std::string(program) + "\"" + (commandLine + length) : commandLine;
}

// The product, then each answer the run goes on with and where it came from.
void LogAnswers(const InstallChoices& choices, const AppliedAnswers& applied)
{
    const char* const kSources[] = {"default", "answers file", "command line"};
    char name[kTextCapacity], version[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoProductName, name);
    GetInformationLine(g_wizard.model, InfoVersion, version);
    LogLine(std::string("Product: ") + name + " " + version);
    std::string answers = ComposeAnswersFile(choices, g_wizard.model);
    for (std::size_t start = 0, end; (end = answers.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string entry = answers.substr(start, end - start);
        for (int key = 0; key < kAnswerKeyCount; ++key) {
            if (entry.rfind(std::string(AnswerKeyName(AnswerKey(key))) + "=", 0) == 0)
                LogLine("Answer " + entry + " (" + kSources[int(applied.source[key])] + ")");
        }
    }
}

std::string Described(AnswerKey key, const std::string& value)
{
    return "/" + std::string(AnswerKeyName(key)) + "=" + value;
}

}  // namespace

bool ReadCommandLine(const char* commandLine)
{
    CommandLine& line = g_wizard.commandLine;
    line = ParseCommandLine(WithProgramQuoted(commandLine).c_str());
    bool quiet = line.mode != RunMode::Normal;
    if (line.problem != CommandLineProblem::None)
        return Refuse(IDS_BAD_ARGUMENT, line.refusedArgument, quiet);
    if (line.help) {
        char text[2048];
        LoadTableString(IDS_COMMAND_LINE_HELP, text, sizeof text);
        ShowMessage(IDS_COMMAND_LINE_HELP, text, MB_OK | MB_ICONINFORMATION);
        g_wizard.exitCode = kExitDone;
        return false;
    }
    // Without its log a tool could not tell what happened: nothing is done.
    if (line.logFile && !OpenRunLog(*line.logFile, "Kestrel", "Instal, the setup wizard of Kestrel", commandLine)) {
        if (!quiet)
            ReportError(IDS_LOG_NOT_CREATED, line.logFile->c_str(), true);
        g_wizard.exitCode = kExitFailed;
        return false;
    }
    return true;
}

bool ApplyStartAnswers(PageStart& start)
{
    const CommandLine& line = g_wizard.commandLine;
    AnswersFile file;
    if (line.loadFile) {
        std::string text;
        const std::string& path = *line.loadFile;
        if (!ReadWholeFile(path.c_str(), text))
            return Refuse(IDS_ANSWERS_FILE_DAMAGED, path, false);
        file = ParseAnswersFile(text);
        if (file.problem != AnswersFileProblem::None)
            return Refuse(IDS_ANSWERS_FILE_DAMAGED, path + ":" + std::to_string(file.line), false);
    }
    AppliedAnswers applied = ApplyAnswers(start, g_wizard.model, file.answers, line.answers);
    if (applied.problem != AnswerProblem::None)
        return Refuse(IDS_ANSWER_REFUSED, Described(applied.refusedKey, applied.refusedValue), false);
    if (line.noRestart)
        start.choices.restartNow = false;
    LogAnswers(start.choices, applied);
    return true;
}

void SaveAnswers()
{
    const CommandLine& line = g_wizard.commandLine;
    if (!line.saveFile)
        return;
    std::string text = ComposeAnswersFile(g_wizard.choices, g_wizard.model);
    const char* path = line.saveFile->c_str();
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool saved = file != INVALID_HANDLE_VALUE
                 && WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
                 && written == text.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    // The install goes on: the answers file only serves later runs.
    if (!saved) {
        char message[kTextCapacity];
        LoadTableString(IDS_ANSWERS_NOT_SAVED, message);
        ShowMessage(IDS_ANSWERS_NOT_SAVED, (std::string(path) + ": " + message).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
}
