#include "base/portable/log_name.h"

#include <cstdio>

std::string DefaultLogName(const std::string& product, int year, int month, int day, int number)
{
    char date[32];
    std::snprintf(date, sizeof date, " %04d-%02d-%02d %d.log", year, month, day, number);
    return product + date;
}
