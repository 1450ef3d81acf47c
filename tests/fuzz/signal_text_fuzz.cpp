// Any bytes read as a stored signal content (the first byte picks the type),
// as a parameter list and as the packed connection texts: no crash, no read
// out of bounds, and what comes back keeps the readers' promises.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// A store whose signal table has no rows: every look-up finds nothing.
class NoRowsStore : public CTaDBTDDataSingle {
public:
    using CTaDBTDDataSingle::GetItem_Signal;
    RESULTSTATE GetItem_Signal(CTaDBSignal&, int, CString) override { return 0; }
};

// The signal read from content under typeText, and the content it writes.
std::unique_ptr<CStdSignal> Read(CTaDBTDDataBase& store, const CString& typeText, const CString& content) {
    CTaDBActionSetup record;
    record.m_strSignalType = typeText;
    record.m_strSignalContent = content;
    std::unique_ptr<CStdSignal> signal(store.GetStdSignal(store, record));
    Require(signal != nullptr);
    return signal;
}

CString Written(CStdSignal& signal) {
    CTaDBActionSetup record;
    record.SetStdSignal(&signal);
    return record.m_strSignalContent;
}

// Whether a value of signal holds ")," and the next attribute's item: what
// the signal writes then cannot be told apart from other values.
bool HoldsTheNextItem(const CStdSignal& signal) {
    const SignalClass* signalClass = FindSignalClass(signal.GetStdSignalType());
    if (!signalClass || !signalClass->isInstance(signal)) return false;
    const SignalAttributeTable& attributes = signalClass->attributes();
    for (size_t i = 0; i + 1 < attributes.size(); ++i)
        if (attributes[i].get(signal).Find(CString("),") + attributes[i + 1].name + "(") >= 0) return true;
    return false;
}

void CheckParaList(const CString& list, const CString& name) {
    for (int index = -1; index <= 3; ++index) {
        const CString item = CTaDBTDDataBase::AnalysisParaList(list, name, index);
        Require(item.GetLength() <= list.GetLength() && item.Find(')') < 0);
        Require(index == 0 || item.Find(',') < 0);
    }
}

void CheckUnpackers(const CString& text) {
    CStringArray items, again;
    CString packed;
    CStdTwoWire::GetUUTInfo(items, text);
    for (int i = 0; i < items.GetSize(); ++i) Require(!items[i].IsEmpty() && items[i].Find(';') < 0);
    CStdTwoWire::SetUUTInfo(items, packed);
    CStdTwoWire::GetUUTInfo(again, packed);
    Require(again.GetSize() == items.GetSize());
    for (int i = 0; i < items.GetSize(); ++i) Require(again[i] == items[i]);

    CString first, second;
    CStdTwoWire::GetIviInfo(text, first, second);
    Require(first.Find('/') < 0);
    CStdTwoWire::SetIviInfo(packed, first, second);
    Require(text.Find('/') >= 0 ? packed == text : packed == text + "/");

    CStringArray firsts, seconds, firstsAgain, secondsAgain;
    CStdTwoWire::GetSwitchChInfo(text, firsts, seconds);
    Require(firsts.GetSize() == seconds.GetSize());
    CStdTwoWire::SetSwitchChInfo(packed, firsts, seconds);
    CStdTwoWire::GetSwitchChInfo(packed, firstsAgain, secondsAgain);
    Require(firstsAgain.GetSize() == firsts.GetSize());
    for (int i = 0; i < firsts.GetSize(); ++i) {
        Require(firsts[i].Find('/') < 0 && firsts[i].Find(';') < 0 && seconds[i].Find(';') < 0);
        Require(firstsAgain[i] == firsts[i] && secondsAgain[i] == seconds[i]);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static NoRowsStore store;
    const CString typeText = CStdSignal::GetSignalType(static_cast<TD_SIGNALTYPE>(data[0] % 35));
    const CString text(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

    // What a signal writes is read back to the same signal, unless a value
    // holds the next attribute's item; what the signal read then writes is.
    const std::unique_ptr<CStdSignal> signal = Read(store, typeText, text);
    const CString written = Written(*signal);
    const CString again = Written(*Read(store, typeText, written));
    Require(again == written || HoldsTheNextItem(*signal));
    Require(Written(*Read(store, typeText, again)) == again);

    CheckParaList(text, "freq");
    CheckParaList(text, text.Left(data[0] % 4));
    CheckUnpackers(text);
    return 0;
}
