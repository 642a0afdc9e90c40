// Takes the system's wall clock; returns today's date in UTC as YYYYMMDD.
#include "platform/utcDate.h"

#include <ctime>

int todayUtc()
{
    time_t now = time(nullptr);
    struct tm utc;
    if (!gmtime_r(&now, &utc)) return 0;
    return (utc.tm_year + 1900) * 10000 + (utc.tm_mon + 1) * 100 + utc.tm_mday;
}
