// Every text value that is formatted into an SQL statement goes through
// SqlValue, which doubles its single quotes: the value then stays one
// literal between the statement's quotes and cannot change what it touches.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "platform/mfc/CString.h"

AFX_EXT_API CString SqlValue(const CString& value);

#include "platform/mfc/AfxExtEnd.h"
