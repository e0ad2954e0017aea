#include "base/run_log.h"

#include <windows.h>

#include "base/messages.h"
#include "base/portable/log_name.h"
#include "base/portable/text_helpers.h"

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

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
HANDLE CreateDefaultLog(const std::string& product, const SYSTEMTIME& now)
{
    char folder[kTextCapacity];
    GetTempPathA(sizeof folder, folder);
    for (int number = 1; number <= kMostDefaultLogs; ++number) {
        std::string path = folder + DefaultLogName(product, now.wYear, now.wMonth, now.wDay, number);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

std::string Header(const std::string& program, const char* commandLine, const SYSTEMTIME& now)
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
    return program + "\r\nCommand line: " + commandLine + "\r\nWindows: " + windows + "\r\nUser: " + user +
           "\r\nStarted: " + when;
}

const char* ButtonName(int answer)
{
    switch (answer) {
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDCANCEL: return "Cancel";
    default: return "OK";
    }
}

}  // namespace

bool OpenRunLog(const std::string& path, const std::string& product, const std::string& program,
                const char* commandLine)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    g_log = path.empty() ? CreateDefaultLog(product, now)
                         : CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE)
        return false;
    LogLine(Header(program, commandLine, now));
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

void LogMessage(int messageId, const char* text, int answer)
{
    std::string number = messageId != kNotATableString ? " " + std::to_string(messageId) : "";
    LogLine("Message" + number + ": " + text + " [" + ButtonName(answer) + "]");
}

void CloseRunLog(unsigned exitCode)
{
    if (g_log == INVALID_HANDLE_VALUE)
        return;
    LogLine("Exit code: " + std::to_string(exitCode));
    CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}
