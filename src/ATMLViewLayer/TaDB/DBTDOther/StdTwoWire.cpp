#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"

namespace {
const char kUutText[] = "UUT";
const char kInstrumentText[] = "测试仪器";

// Splits text at its first separator; without one, all of it is the first
// part. Both parts are cut before either is written, so text may be one of them.
void SplitAtFirst(const CString& text, char separator, CString& first, CString& second) {
    const int at = text.Find(separator);
    const CString before = at < 0 ? text : text.Left(at);
    const CString after = at < 0 ? CString() : text.Mid(at + 1);
    first = before;
    second = after;
}

// Calls each with every entry of text that ends with a ";", an empty one
// too, then with what follows the last ";" when it is not empty. It walks a
// copy, so text may be an element of an array that each appends to.
template <class Each>
void ForEachEntry(const CString& text, Each each) {
    const CString source = text;
    int start = 0;
    for (int at; (at = source.Find(';', start)) >= 0; start = at + 1) each(source.Mid(start, at - start));
    if (start < source.GetLength()) each(source.Mid(start));
}
}  // namespace

CStdTwoWire::CStdTwoWire() = default;

CStdTwoWire::~CStdTwoWire() = default;

ACTION_CONNECT_TARGET CStdTwoWire::GetConnectType(CString text) {
    return text == kInstrumentText ? CONNECT_TARGET_INSTRUMENT : CONNECT_TARGET_UUT;
}

CString CStdTwoWire::GetConnectType(ACTION_CONNECT_TARGET target) {
    switch (target) {
        case CONNECT_TARGET_UUT: return kUutText;
        case CONNECT_TARGET_INSTRUMENT: return kInstrumentText;
    }
    return "";
}

void CStdTwoWire::GetConnectType(CStringArray& texts) {
    texts.RemoveAll();
    texts.Add(kUutText);
    texts.Add(kInstrumentText);
}

void CStdTwoWire::GetUUTInfo(CStringArray& items, const CString& text) {
    ForEachEntry(text, [&items](const CString& item) {
        if (!item.IsEmpty()) items.Add(item);
    });
}

void CStdTwoWire::SetUUTInfo(CStringArray& items, CString& text) {
    CString packed;
    for (int i = 0; i < items.GetSize(); ++i) {
        if (!packed.IsEmpty()) packed += ';';
        packed += items[i];
    }
    text = packed;
}

void CStdTwoWire::GetIviInfo(const CString& text, CString& first, CString& second) {
    SplitAtFirst(text, '/', first, second);
}

void CStdTwoWire::SetIviInfo(CString& text, CString first, CString second) { text = first + "/" + second; }

void CStdTwoWire::GetSwitchChInfo(const CString& text, CStringArray& firsts, CStringArray& seconds) {
    ForEachEntry(text, [&](const CString& entry) {
        CString first, second;
        SplitAtFirst(entry, '/', first, second);
        firsts.Add(first);
        seconds.Add(second);
    });
}

void CStdTwoWire::SetSwitchChInfo(CString& text, CStringArray& firsts, CStringArray& seconds) {
    // One entry per first; when the second array is shorter, the text is empty.
    CString packed;
    if (firsts.GetSize() <= seconds.GetSize())
        for (int i = 0; i < firsts.GetSize(); ++i) packed += firsts[i] + "/" + seconds[i] + ";";
    text = packed;
}
