#include "tools/file_time.h"

#include <cstdio>

namespace {

constexpr int64_t kUnixEpochSeconds = 11644473600;   // 1601-01-01 to 1970-01-01
constexpr uint64_t kTicksPerSecond = 10000000;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

}  // namespace

uint64_t FileTimeFromUnix(int64_t seconds, uint32_t nanoseconds)
{
    int64_t sinceEpoch = seconds + kUnixEpochSeconds;
    if (sinceEpoch < 0)
        return 0;
    return static_cast<uint64_t>(sinceEpoch) * kTicksPerSecond + nanoseconds / 100;
}

void UnixFromFileTime(uint64_t fileTime, int64_t& seconds, uint32_t& nanoseconds)
{
    seconds = static_cast<int64_t>(fileTime / kTicksPerSecond) - kUnixEpochSeconds;
    nanoseconds = static_cast<uint32_t>(fileTime % kTicksPerSecond) * 100;
}

bool ParseFileTimeText(const std::string& text, uint64_t& fileTime)
{
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char separator = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2u-%2u%c%2u:%2u:%2u%n", &year, &month, &day, &separator, &hour,
                    &minute, &second, &consumed) != 7 || consumed != static_cast<int>(text.size()))
        return false;
    if ((separator != 'T' && separator != ' ') || year < 1601 || month < 1 || month > 12 || day < 1 ||
        day > 31 || hour > 23 || minute > 59 || second > 59)
        return false;
    int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    fileTime = FileTimeFromUnix(seconds, 0);
    return true;
}

std::string FormatFileTime(uint64_t fileTime)
{
    int64_t seconds = 0;
    uint32_t nanoseconds = 0;
    UnixFromFileTime(fileTime, seconds, nanoseconds);
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    int64_t rest = seconds - days * 86400;
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", static_cast<long long>(year),
                  month, day, static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return text;
}
