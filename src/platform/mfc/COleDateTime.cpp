#include "platform/mfc/COleDateTime.h"

#include <ctime>

namespace {
// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

const long kOleEpochFromUnix = 25569;  // days from 1899-12-30 to 1970-01-01
}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        m_status = invalid;
        return;
    }
    const long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kOleEpochFromUnix;
    const double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the OLE format counts the time of day away from zero.
    m_dt = days >= 0 ? days + time : days - time;
}

COleDateTime COleDateTime::GetCurrentTime() {
    // Records read the clock as they are made, many in one second: the
    // local time is worked out once a second.
    thread_local std::time_t lastSecond = -1;
    thread_local COleDateTime lastTime;
    std::time_t now = std::time(nullptr);
    if (now == lastSecond) return lastTime;
    std::tm local{};
    localtime_r(&now, &local);
    lastTime = COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                            local.tm_sec);
    lastSecond = now;
    return lastTime;
}
