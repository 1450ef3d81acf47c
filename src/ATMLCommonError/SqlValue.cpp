#include "ATMLCommonError/SqlValue.h"

CString SqlValue(const CString& value) {
    if (value.Find('\'') < 0) return value;
    CString quoted(value);
    quoted.Replace("'", "''");
    return quoted;
}
