#include "wizard/run_log.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "base/system_version.h"
#include "wizard/portable/log_lines.h"

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

// The name the default log is known by: the product this wizard installs.
const char kLoggedProduct[] = "Kestrel";
constexpr int kMostDefaultLogs = 999;

std::string Utf8(const std::string& text)
{
    int wide = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring characters(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &characters[0], wide);
    int size = WideCharToMultiByte(CP_UTF8, 0, characters.c_str(), wide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, characters.c_str(), wide, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

// A new name each time: an earlier log is never written over.
HANDLE CreateDefaultLog(const SYSTEMTIME& now)
{
    char folder[kTextCapacity];
    GetTempPathA(sizeof folder, folder);
    for (int number = 1; number <= kMostDefaultLogs; ++number) {
        std::string path = folder + DefaultLogName(kLoggedProduct, now.wYear, now.wMonth, now.wDay, number);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

std::string Header(const char* commandLine, const SYSTEMTIME& now)
{
    char user[kTextCapacity] = "";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    char when[64];
    wsprintfA(when, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    char windows[64] = "";
    if (GetVersionExA(&version))
        wsprintfA(windows, "%lu.%lu.%lu", version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber);
    return std::string("Instal, the setup wizard of ") + kLoggedProduct + "\r\nCommand line: " + commandLine +
           "\r\nWindows: " + windows + "\r\nUser: " + user + "\r\nStarted: " + when;
}

}  // namespace

bool OpenRunLog(const std::string& path, const char* commandLine)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    g_log = path.empty() ? CreateDefaultLog(now)
                         : CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE)
        return false;
    LogLine(Header(commandLine, now));
    return true;
}

void LogLine(const std::string& line)
{
    if (g_log == INVALID_HANDLE_VALUE)
        return;
    std::string bytes = Utf8(line) + "\r\n";
    DWORD written = 0;
    WriteFile(g_log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void LogMessage(const char* text, int answer)
{
    const char* taken = answer == IDYES ? "Yes" : answer == IDNO ? "No" : answer == IDCANCEL ? "Cancel" : "OK";
    LogLine(std::string("Message: ") + text + " [" + taken + "]");
}

void LogChanges(Journal& journal)
{
    if (g_log == INVALID_HANDLE_VALUE || !IsJournalOpen(journal))
        return;
    for (const JournalRecord& record : ReadJournal(journal).records) {
        std::string change = DescribeChange(record);
        if (!change.empty())
            LogLine(change);
    }
}

void LogShellEntries(const InstallJob& job)
{
    const InstallChoices& choices = job.choices;
    if (choices.programGroup) {
        std::string items;
        for (const std::string& line : job.model->groupItems)
            items += (items.empty() ? "" : ", ") + line.substr(0, line.find(','));
        LogLine(std::string("Program group: ") + choices.groupName + " (" + items + ")");
        if (job.groupMadeAsFolder)
            LogLine("No program manager answered: the group was made as a folder of links.");
    }
    if (choices.desktopShortcut)
        LogLine("Desktop link: made");
}

void CloseRunLog(unsigned exitCode)
{
    if (g_log == INVALID_HANDLE_VALUE)
        return;
    LogLine("Exit code: " + std::to_string(exitCode));
    CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}
