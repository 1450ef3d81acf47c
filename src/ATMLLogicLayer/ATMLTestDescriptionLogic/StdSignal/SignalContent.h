// The signal content that a set-up action stores: each attribute of the
// signal's class as its name, "(", its value and ")", joined by "," in the
// order of the class's attribute table, with nothing escaped or trimmed.
// Internal to the library.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

// signal must be of the class whose table attributes is.
CString WriteSignalContent(const CStdSignal& signal, const SignalAttributeTable& attributes);

// Sets every attribute whose value content holds and is not empty; the
// others keep theirs. Content in the writer's own format gives back every
// value as written, unless a value holds ")," directly followed by the next
// attribute's name and "(", which the unescaped format cannot tell from the
// end of its item. Content of any other shape is read item by item: the
// first item of each name, at the start or after the "," that ends the item
// before; its value runs to the first ")" that the end or "," and an
// attribute's item follow, when no "," or ")" comes before that one,
// otherwise to the ")" that, counting brackets, closes the one after the
// name and stands before a "," or at the end. Text up to a "," without "("
// is skipped; a value never closed ends the walk. Never fails.
void ReadSignalContent(const CString& content, CStdSignal& signal, const SignalAttributeTable& attributes);
