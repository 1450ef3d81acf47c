#include "platform/mfc/COleDateTime.h"

#include <cmath>
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

void CivilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long>(yoe) + era * 400 + (m <= 2));
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
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

bool COleDateTime::Split(int fields[6]) const {
    if (m_status != valid || !std::isfinite(m_dt)) return false;
    double days = std::trunc(m_dt);
    double fraction = std::fabs(m_dt - days);
    long seconds = std::lround(fraction * 86400.0);
    if (seconds >= 86400) { seconds -= 86400; days += m_dt >= 0 ? 1 : -1; }
    CivilFromDays(static_cast<long>(days) - kOleEpochFromUnix, fields[0], fields[1], fields[2]);
    fields[3] = static_cast<int>(seconds / 3600);
    fields[4] = static_cast<int>(seconds / 60 % 60);
    fields[5] = static_cast<int>(seconds % 60);
    return true;
}

int COleDateTime::GetYear() const { int f[6]; return Split(f) ? f[0] : -1; }
int COleDateTime::GetMonth() const { int f[6]; return Split(f) ? f[1] : -1; }
int COleDateTime::GetDay() const { int f[6]; return Split(f) ? f[2] : -1; }
int COleDateTime::GetHour() const { int f[6]; return Split(f) ? f[3] : -1; }
int COleDateTime::GetMinute() const { int f[6]; return Split(f) ? f[4] : -1; }
int COleDateTime::GetSecond() const { int f[6]; return Split(f) ? f[5] : -1; }
