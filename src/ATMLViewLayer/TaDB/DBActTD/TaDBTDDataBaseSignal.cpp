// The interface's conversions from stored actions to signal objects: a
// set-up action becomes a signal of its type, a connect, disconnect or reset
// action a connection description, each with the reference to its signal row
// looked up through the store. What they return belongs to the caller.
#include <memory>
#include <new>

#include "ATMLCommonError/Answering.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalContent.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDDataBase.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"

namespace {
// Every reader reports a failed look-up of the signal row at this position.
const char kLookUpPosition[] = "CTaDBActionSetup::GetStdSignal()";
const char kSignalPosition[] = "CTaDBTDDataBase::GetStdSignal()";
const char kTwoWirePosition[] = "CTaDBTDDataBase::GetStdTwoWire()";

// Runs a conversion; what it throws gives no object, with the failure
// written into caller's error state at position.
template <class Convert>
auto Converted(CATMLError& caller, const char* position, Convert&& convert) noexcept {
    return RunAnswering(std::forward<Convert>(convert), [&](const Thrown& thrown) noexcept {
        RecordFailureNoThrow(caller, thrown.message, position);
        return decltype(convert())(nullptr);
    });
}

// The reference to the signal row that key names (defaults when no row has
// it). On a failed look-up, caller holds -1 and the store's message.
bool ReadSignalRef(CATMLError& caller, CTaDBTDDataBase& store, const CString& key, _TD_REF& ref) {
    CTaDBSignal row;
    CString message;
    if (!CTaDBTDDataBase::GetDBSignal(store, key, row, message)) {
        caller.SetErrorCode(-1);
        caller.SetErrorInfo(message);
        caller.SetErrorTrace(kLookUpPosition);
        return false;
    }
    ref.m_nRange = CStdSignal::GetSignalRange(row.m_strSignalRange);
    ref.m_nRole = CStdSignal::GetSignalRole(row.m_strSignalRole);
    ref.m_strName = row.m_strSignalName;
    return true;
}

// What the three kinds of connection record share.
template <class R>
CStdTwoWire* ReadTwoWire(CATMLError& caller, CTaDBTDDataBase& store, const R& record) {
    return Converted(caller, kTwoWirePosition, [&]() -> CStdTwoWire* {
        auto wire = std::make_unique<CStdTwoWire>();
        _TD_REF ref;
        if (!ReadSignalRef(caller, store, record.m_strSignalUuid, ref)) return nullptr;
        wire->SetStdSignalRef(ref);
        wire->m_nConnectType = CStdTwoWire::GetConnectType(record.m_strConnectType);
        wire->m_strUutContent = record.m_strUutContent;
        wire->m_strInstruContent = record.m_strInstruContent;
        return wire.release();
    });
}

// The item of AnalysisParaList.
CString ParaListItem(const CString& content, const CString& name, int index) {
    if (content.IsEmpty() || name.IsEmpty() || index < 0) return "";
    // The first occurrence anywhere, even inside a longer name; the character
    // after it is taken for the "(" unseen.
    const int at = content.Find(name);
    if (at < 0) return "";
    const int open = at + name.GetLength();
    const int close = content.Find(')', open);  // -1 when none, or when the name ends the text
    int start = open + 1;
    if (index == 0) return close - start > 0 ? content.Mid(start, close - start) : "";
    if (close < 0) return "";
    // Items end at a "," before the ")"; the last one at the ")".
    for (int item = 1;; ++item) {
        const int comma = content.Find(',', start);
        if (comma < 0 || comma > close)
            return item == index && start < close ? content.Mid(start, close - start) : "";
        if (item == index) return content.Mid(start, comma - start);
        start = comma + 1;
    }
}
}  // namespace

CStdSignal* CTaDBTDDataBase::GetStdSignal(CTaDBTDDataBase& store, CTaDBActionSetup& record) {
    return Converted(*this, kSignalPosition, [&]() -> CStdSignal* {
        // A type text without a class (or no type text at all) gives a plain signal.
        const SignalClass* signalClass = FindSignalClassByText(record.m_strSignalType);
        std::unique_ptr<CStdSignal> signal(signalClass ? signalClass->create() : new CStdSignal);
        if (signalClass) ReadSignalContent(record.m_strSignalContent, *signal, signalClass->attributes());
        signal->SetActName(record.m_strActionName);
        _TD_REF ref;
        if (!ReadSignalRef(*this, store, record.m_strSignalUuid, ref)) return nullptr;
        signal->SetStdSignalRef(ref);
        signal->SetMeasureInfo(record.m_strMeasureInfo);
        return signal.release();
    });
}

CStdTwoWire* CTaDBTDDataBase::GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionConnect& record) {
    return Converted(*this, kTwoWirePosition, [&]() -> CStdTwoWire* {
        std::unique_ptr<CStdTwoWire> wire(ReadTwoWire(*this, store, record));
        if (!wire) return nullptr;
        wire->m_strUutBuildInstr = record.m_strUutBuildInstr;
        wire->m_strUutBuildSwitch = record.m_strUutBuildSwitch;
        return wire.release();
    });
}

CStdTwoWire* CTaDBTDDataBase::GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionDisconnect& record) {
    return ReadTwoWire(*this, store, record);
}

CStdTwoWire* CTaDBTDDataBase::GetStdTwoWire(CTaDBTDDataBase& store, CTaDBActionReset& record) {
    return ReadTwoWire(*this, store, record);
}

int CTaDBTDDataBase::GetDBSignal(CTaDBTDDataBase& store, CString signalUuid, CTaDBSignal& record,
                                 CString& message) {
    return RunAnswering(
        [&] {
            // No row with the key is no failure: the record stays as it came.
            if (store.GetItem_Signal(record, 1, signalUuid) != -1) return 1;
            message = store.m_strErrorInfo;
            return 0;
        },
        [&](const Thrown& thrown) noexcept {
            AssignNoThrow(message, thrown.message);
            return 0;
        });
}

// An item that memory is too short for reads as no item.
CString CTaDBTDDataBase::AnalysisParaList(CString content, CString name, int index) {
    return RunAnswering([&] { return ParaListItem(content, name, index); }, EmptyText);
}

