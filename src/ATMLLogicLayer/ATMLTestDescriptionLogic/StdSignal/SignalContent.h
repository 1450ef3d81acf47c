// The signal content that a set-up action stores: each attribute of the
// signal's class as its name, "(", its value and ")", joined by "," in the
// order of the class's attribute table, with nothing escaped or trimmed.
// Internal to the library.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

// signal must be of the class whose table attributes is.
CString WriteSignalContent(const CStdSignal& signal, const SignalAttributeTable& attributes);

// Sets every attribute whose item content holds with a non-empty value (the
// first item of its name); the others keep theirs. An item's name stands at
// the start of the content or right after the "," that ends the item before.
// Its value runs to the first ")" that the end or "," and an attribute's
// item follow, when no "," or ")" comes before that one; otherwise to the
// ")" that, counting brackets, closes the one after the name and stands
// before a "," or at the end. So a value without "," and ")" comes back
// whole, and so does every value unless it or one before it holds a ")"
// directly followed by ",", or leaves a "(" open while it holds a "," or ")".
// Text up to a "," without "(" is skipped; a value never closed ends the walk.
void ReadSignalContent(const CString& content, CStdSignal& signal, const SignalAttributeTable& attributes);
