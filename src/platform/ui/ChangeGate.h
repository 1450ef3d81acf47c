// The refusal rule both control models share: a change of an item that is
// not there fails with last error 87, and after FailAfter(n) the next n
// changes pass and the ones after fail with last error 8, as a control that
// cannot allocate does (a negative count refuses none).
#pragma once
#include "platform/mfc/AfxExt.h"

class AFX_EXT_CLASS ChangeGate {
public:
    void FailAfter(int changes) { m_changesLeft = changes; }
    // False, with the last error set, when the change may not be made.
    bool MayChange(bool valid);

private:
    int m_changesLeft = -1;
};

#include "platform/mfc/AfxExtEnd.h"
