// A date and time as the OLE automation date: days since 1899-12-30 as a
// double, fractional part the time of day, local wall-clock time.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "platform/win32/WinTypeNames.h"

class AFX_EXT_CLASS COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;  // the zero date 1899-12-30 00:00:00, valid
    COleDateTime(DATE value) : m_dt(value) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();

    operator DATE() const { return m_dt; }
    COleDateTime& operator=(DATE value) { m_dt = value; m_status = valid; return *this; }
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

#include "platform/mfc/AfxExtEnd.h"
