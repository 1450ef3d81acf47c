#include "platform/ui/ChangeGate.h"

#include "platform/win32/LastError.h"

bool ChangeGate::MayChange(bool valid) {
    if (!valid) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (m_changesLeft < 0) return true;
    if (m_changesLeft == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    --m_changesLeft;
    return true;
}
