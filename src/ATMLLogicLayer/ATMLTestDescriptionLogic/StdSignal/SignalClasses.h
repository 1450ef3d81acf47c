// The signal types that have a class of their own: for each, a maker of a
// new object with the class's defaults, a test that an object is of the
// class, and the class's attribute table. The stored-signal reader makes the
// object of the type a record names through it. Internal to the library.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

struct SignalClass {
    TD_SIGNALTYPE type;
    CStdSignal* (*create)();  // the caller owns the new object
    bool (*isInstance)(const CStdSignal& signal);
    const SignalAttributeTable& (*attributes)();
};

// The class of a signal type; null for a type without class.
const SignalClass* FindSignalClass(TD_SIGNALTYPE type);
// The class whose type text is exactly text; null for any other text.
const SignalClass* FindSignalClassByText(const CString& text);
