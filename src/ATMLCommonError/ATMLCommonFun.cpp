#include "ATMLCommonError/ATMLCommonFun.h"

#include <cstring>

#include "platform/com/Com.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Module.h"

CATMLCommonFun::CATMLCommonFun() = default;

CATMLCommonFun::~CATMLCommonFun() = default;

CString CATMLCommonFun::CreateGUIDString() {
    CoInitialize(nullptr);
    GUID guid{};
    CoCreateGuid(&guid);
    char text[64] = "";
    StringFromGUID2(guid, text, sizeof text);
    CoUninitialize();
    // The braces of the registry form go.
    const char* first = text;
    int length = static_cast<int>(std::strlen(text));
    if (length > 36 && *first == '{') ++first, --length;
    if (length > 36 && first[length - 1] == '}') --length;
    return CString(first, length);
}

CString CATMLCommonFun::GetOSErrorMessage(DWORD errorNumber) {
    CString message;
    const char* text = SystemErrorText(errorNumber);
    if (text) message.Format("操作系统错误信息：(%ld)，%s", static_cast<long>(errorNumber), text);
    else message.Format("操作系统错误信息：(%ld)。\r\n", static_cast<long>(errorNumber));
    return message;
}

int CATMLCommonFun::GetModulePath(CString& path, HMODULE module, bool full) {
    // Larger than the classic 260 so that deep folders are not cut short.
    char name[4096];
    if (GetModuleFileNameA(module, name, sizeof name) == 0) {
        SetErrorCode(60);
        SetErrorInfo(GetOSErrorMessage(GetLastError()));
        return -1;
    }
    path = name;
    if (!full) {
        int cut = path.ReverseFind('/');
        path = cut < 0 ? CString() : path.Left(cut);
    }
    return 1;
}
