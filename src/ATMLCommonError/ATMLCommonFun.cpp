#include "ATMLCommonError/ATMLCommonFun.h"

#include <cstring>

#include "ATMLCommonError/Answering.h"
#include "ATMLCommonError/CommonTexts.h"

#include "platform/com/Com.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Module.h"
#include "platform/win32/Time.h"

namespace {
// The length of a UTF-8 text in a double-byte code page: an ASCII character
// counts one byte, any other character two.
int DoubleByteLength(const CString& text) {
    int bytes = 0;
    for (unsigned char byte : text.str()) {
        if (byte < 0x80) bytes += 1;
        else if ((byte & 0xC0) != 0x80) bytes += 2;  // the first byte of a non-ASCII character
    }
    return bytes;
}
}  // namespace

CATMLCommonFun::CATMLCommonFun() = default;

CATMLCommonFun::~CATMLCommonFun() = default;

CString NewKeyText() {
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

CString SystemErrorMessage(DWORD errorNumber) { return CString(SystemErrorLine(errorNumber).c_str()); }

CString CATMLCommonFun::CreateGUIDString() { return RunAnswering(NewKeyText, EmptyText); }

CString CATMLCommonFun::GetOSErrorMessage(DWORD errorNumber) {
    return RunAnswering([&] { return SystemErrorMessage(errorNumber); }, EmptyText);
}

bool ModulePathText(HMODULE module, bool full, CString& path) {
    // Larger than the classic 260 so that deep folders are not cut short.
    char name[4096];
    if (GetModuleFileNameA(module, name, sizeof name) == 0) return false;
    path = name;
    if (!full) {
        int cut = path.ReverseFind('/');
        path = cut < 0 ? CString() : path.Left(cut);
    }
    return true;
}

int CATMLCommonFun::GetModulePath(CString& path, HMODULE module, bool full) {
    return HelperAnswer(*this, 60, [&] {
        if (ModulePathText(module, full, path)) return 1;
        RecordControlFailure(60, GetLastError());
        return -1;
    });
}

void CATMLCommonFun::RecordSystemFailure(long code, const CString& subject, DWORD error) {
    CString message;
    message.Format("%s，“%s”。", subject.GetString(), SystemErrorMessage(error).GetString());
    SetErrorCode(code);
    SetErrorInfo(message);
}

void CATMLCommonFun::RecordControlFailure(long code, DWORD error) {
    SetErrorCode(code);
    SetErrorInfo(SystemErrorMessage(error));
}

CString CATMLCommonFun::GetCurrentTimeString(int format) {
    return RunAnswering(
        [&] {
            SYSTEMTIME now;
            GetLocalTime(&now);
            CString text;
            switch (format) {
                case 0: text.Format("%.2d%s%.2d%s%.2d", now.wMonth, "/", now.wDay, "/", now.wYear); break;
                case 1: text.Format("%.2d%s%.2d%s%.2d", now.wHour, ":", now.wMinute, ":", now.wSecond); break;
                case 2:
                    text.Format("%d%s%.2d%s%.2d %.2d%s%.2d%s%.2d", now.wYear, "-", now.wMonth, "-", now.wDay,
                                now.wHour, ":", now.wMinute, ":", now.wSecond);
                    break;
                default:
                    text.Format("%d%.2d%.2d %.2d%.2d%.2d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                now.wSecond);
            }
            return text;
        },
        EmptyText);
}

CString CATMLCommonFun::GetCurrentTimeISO() {
    return RunAnswering(
        [] {
            SYSTEMTIME now;
            GetLocalTime(&now);
            CString text;
            text.Format("%d%s%.2d%s%.2dT%.2d%s%.2d%s%.2d", now.wYear, "-", now.wMonth, "-", now.wDay, now.wHour, ":",
                        now.wMinute, ":", now.wSecond);
            return text;
        },
        EmptyText);
}

int CATMLCommonFun::RegisterComponent(CString path, BOOL registering) {
    return HelperAnswer(*this, 40, [&] {
        if (path.IsEmpty()) {
            SetErrorCode(53);
            SetErrorInfo("空");
            return -1;
        }
        HMODULE library = LoadLibraryA(path);
        if (!library) {
            RecordSystemFailure(40, path, GetLastError());
            return -1;
        }
        typedef HRESULT (*EntryPoint)();
        auto entry = reinterpret_cast<EntryPoint>(
            GetProcAddress(library, registering == 1 ? "DllRegisterServer" : "DllUnregisterServer"));
        if (!entry) {
            DWORD missing = GetLastError();
            FreeLibrary(library);
            RecordSystemFailure(42, path, missing);
            return -1;
        }
        if (entry() < 0) {
            const DWORD failed = GetLastError();
            FreeLibrary(library);
            RecordSystemFailure(43, path, failed);
            return -1;
        }
        if (!FreeLibrary(library)) {
            RecordSystemFailure(41, path, GetLastError());
            return -1;
        }
        return 1;
    });
}

int CATMLCommonFun::CheckName(CString name, CString& message) {
    return RunAnswering(
        [&] {
            message.Empty();
            if (name.IsEmpty()) {
                message = "名称为空！";
                return 0;
            }
            if (DoubleByteLength(name) > 50) {
                message = "请确保名称不大于 50 个字符！";
                return 0;
            }
            static const char kRefused[] = "\\/:*?<>|,;";
            if (name.str().find_first_of(kRefused) != std::string::npos) {
                message.Format("名称中不能实现下述字符：‘%c’、‘%c’、‘%c’、‘%c’、‘%c’、‘%c’、‘%c’、‘%c’、‘%c’、‘%c’。",
                               kRefused[0], kRefused[1], kRefused[2], kRefused[3], kRefused[4], kRefused[5],
                               kRefused[6], kRefused[7], kRefused[8], kRefused[9]);
                return 0;
            }
            return 1;
        },
        [&](const Thrown& thrown) noexcept {
            AssignNoThrow(message, thrown.message);
            return -1;
        });
}
