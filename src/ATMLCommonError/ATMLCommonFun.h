// Common helpers: new keys, system-error texts and the library's own path.
#pragma once
#include "ATMLCommonError/ATMLError.h"
#include "platform/win32/WinTypes.h"

class CATMLCommonFun : public CATMLError {
public:
    CATMLCommonFun();
    virtual ~CATMLCommonFun();

    // A new key: 36 upper-case hexadecimal digits in groups of 8-4-4-4-12, no braces.
    static CString CreateGUIDString();
    // "操作系统错误信息：(n)，<system text>" or, without a system text, "操作系统错误信息：(n)。\r\n".
    static CString GetOSErrorMessage(DWORD errorNumber);
    // The file name of the module (full) or its folder without the last "/"
    // (not full). 1, or -1 with code 60 when the module is unknown.
    int GetModulePath(CString& path, HMODULE module, bool full);
};
