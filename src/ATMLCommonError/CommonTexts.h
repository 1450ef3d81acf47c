// The texts behind two static helpers of CATMLCommonFun, as the library
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
