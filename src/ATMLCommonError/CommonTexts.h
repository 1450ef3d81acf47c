// The texts behind three helpers of CATMLCommonFun, as the library
// makes them for itself: where the helpers give the empty text for want of
// memory, these throw std::bad_alloc, so that no record is made with an
// empty key and no failure is written without its text.
#pragma once
#include "platform/mfc/CString.h"
#include "platform/win32/WinTypeNames.h"

// A new key, as CATMLCommonFun::CreateGUIDString gives it.
CString NewKeyText();
// The system's text for an error, as CATMLCommonFun::GetOSErrorMessage gives it.
CString SystemErrorMessage(DWORD errorNumber);
// The path of module's file, or of its folder (full false), as
// CATMLCommonFun::GetModulePath gives it; false, with the system's error,
// when the system cannot name the file.
bool ModulePathText(HMODULE module, bool full, CString& path);
