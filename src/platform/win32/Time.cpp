#include "platform/win32/Time.h"

#include <ctime>

void GetLocalTime(SYSTEMTIME* now) {
    timespec clock{};
    clock_gettime(CLOCK_REALTIME, &clock);
    std::tm local{};
    localtime_r(&clock.tv_sec, &local);
    now->wYear = static_cast<WORD>(local.tm_year + 1900);
    now->wMonth = static_cast<WORD>(local.tm_mon + 1);
    now->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    now->wDay = static_cast<WORD>(local.tm_mday);
    now->wHour = static_cast<WORD>(local.tm_hour);
    now->wMinute = static_cast<WORD>(local.tm_min);
    now->wSecond = static_cast<WORD>(local.tm_sec);
    now->wMilliseconds = static_cast<WORD>(clock.tv_nsec / 1000000);
}
