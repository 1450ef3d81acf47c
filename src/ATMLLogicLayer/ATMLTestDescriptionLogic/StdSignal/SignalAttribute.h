// The attribute table of a signal class: for each attribute that a signal of
// the class stores, its name as stored content texts write it, its text
// getter and its text setter, in the order of the stored content. The writer
// and the reader of stored signals walk it; nothing else lists attributes.
#pragma once
#include <vector>

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

struct SignalAttribute {
    const char* name;
    // Both take an object of the class whose table holds the attribute.
    CString (*get)(const CStdSignal& signal);
    void (*set)(CStdSignal& signal, CString text);
};

using SignalAttributeTable = std::vector<SignalAttribute>;

// Defined beside each signal class.
template <class S>
const SignalAttributeTable& AttributeTableOf();

// The class of a text getter (only named in decltype, never called).
template <class S>
S ClassOfGetter(CString (S::*)() const);

// The entry of an attribute from its class's getter and setter.
template <auto Get, auto Set>
SignalAttribute Attribute(const char* name) {
    using S = decltype(ClassOfGetter(Get));
    return {name, [](const CStdSignal& signal) { return (static_cast<const S&>(signal).*Get)(); },
            [](CStdSignal& signal, CString text) { (static_cast<S&>(signal).*Set)(text); }};
}
