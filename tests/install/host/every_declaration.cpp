// A host that names every declaration of the installed headers a host may
// use, so that it links only if the library exports each of them: every
// class is made, copied, assigned and destroyed, and every function that is
// not reached through a virtual table is named (the virtual operations link
// with their class). Built with every installed header included first, it
// also fails when one of them hands a host a macro of the library's own.
#include <cstdio>
#include <tuple>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLCommonError/SqlValue.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"
#include "platform/mfc/Trace.h"

#if defined(AFX_EXT_CLASS) || defined(AFX_EXT_API) || defined(AFX_INTERNAL) || defined(TRUE) || defined(FALSE) || \
    defined(MAX_PATH) || defined(TRACE)
#error "an installed header defines a macro of the library's own sources"
#endif

// A host's own store reaches the protected connection manager and the
// error state's protected helper.
class HostStore : public CTaDBTDDataSingle {
public:
    CTaDBMng& Manager() { return m_dbMng; }
    void Fail() { RecordFailure("refused", "HostStore::Fail()"); }
};

using Db = CTaDBTDDataBase;
using Signal = CStdSignal;
using TwoWire = CStdTwoWire;

// Namespace-scope and external: the linker resolves every name it holds.
auto g_functions = std::make_tuple(
    &CString::GetAt, &CString::Format, &CString::FormatV, &CString::ReverseFind, &CString::Right, &CString::MakeUpper,
    &CString::Trim, &CString::Replace, &CString::Compare, &CString::Left,
    static_cast<int (CString::*)(char, int) const>(&CString::Find),
    static_cast<int (CString::*)(const char*, int) const>(&CString::Find),
    static_cast<CString (CString::*)(int) const>(&CString::Mid),
    static_cast<CString (CString::*)(int, int) const>(&CString::Mid),
    static_cast<CString (*)(const CString&, const CString&)>(&operator+),
    static_cast<CString (*)(const CString&, const char*)>(&operator+),
    static_cast<CString (*)(const char*, const CString&)>(&operator+),
    static_cast<CString (*)(const CString&, char)>(&operator+),
    static_cast<bool (*)(const CString&, const CString&)>(&operator==),
    static_cast<bool (*)(const CString&, const char*)>(&operator==),
    static_cast<bool (*)(const char*, const CString&)>(&operator==),
    static_cast<bool (*)(const CString&, const CString&)>(&operator!=),
    static_cast<bool (*)(const CString&, const char*)>(&operator!=),
    static_cast<bool (*)(const char*, const CString&)>(&operator!=),
    &CObList::AddTail, &CObList::RemoveAll, static_cast<CObject*& (CObList::*)(POSITION&)>(&CObList::GetNext),
    static_cast<CObject* (CObList::*)(POSITION&) const>(&CObList::GetNext), &COleDateTime::GetCurrentTime,
    &CATMLError::SetErrorCode, &CATMLError::GetErrorCode, &CATMLError::SetErrorInfo, &CATMLError::GetErrorInfo,
    &CATMLError::SetErrorTrace, &CATMLError::GetErrorTrace, &CATMLError::GetErrorCodeText, &CATMLError::ErrorCodeToText,
    &CATMLError::operator=, &CATMLCommonFun::CreateGUIDString, &CATMLCommonFun::GetOSErrorMessage,
    &CATMLCommonFun::GetModulePath, &CATMLCommonFun::GetFileDir, &CATMLCommonFun::GetFileName,
    &CATMLCommonFun::GetFileTitle, &CATMLCommonFun::GetFileExt, &CATMLCommonFun::CreateDirectoryTree,
    &CATMLCommonFun::RemoveFile, &CATMLCommonFun::GetCurrentTimeString, &CATMLCommonFun::GetCurrentTimeISO,
    &CATMLCommonFun::ExpandTreeItem, &CATMLCommonFun::CollapseTreeItem, &CATMLCommonFun::DeleteTreeChildren,
    &CATMLCommonFun::InsertListColumns, &CATMLCommonFun::InsertListRow, &CATMLCommonFun::SetListItemImage,
    &CATMLCommonFun::RegisterComponent, &CATMLCommonFun::CheckName, &SqlValue, &SetTraceSink,
    &CListCtrl::InsertColumn, &CListCtrl::InsertItem, &CListCtrl::SetItemText, &CListCtrl::SetItem,
    &CListCtrl::GetItemText, &CListCtrl::GetItemImage, &CListCtrl::GetItemState, &CTreeCtrl::InsertItem,
    &CTreeCtrl::GetRootItem, &CTreeCtrl::GetChildItem, &CTreeCtrl::GetNextSiblingItem, &CTreeCtrl::Expand,
    &CTreeCtrl::DeleteItem, &CTreeCtrl::GetItemState, &CTreeCtrl::GetItemText, &ChangeGate::MayChange,
    &CTaDBMng::ConnectDB, static_cast<int (CTaDBMng::*)(CString)>(&CTaDBMng::QueryDataInDB),
    static_cast<int (CTaDBMng::*)(CString)>(&CTaDBMng::Execute), &CTaDBMng::CloseRecordset, &CTaDBMng::CloseDB,
    &CTaDBMng::GetRecordset, &Db::operator=, &Db::GetStdSignal, &Db::GetDBSignal, &Db::AnalysisParaList,
    static_cast<CStdTwoWire* (Db::*)(Db&, CTaDBActionConnect&)>(&Db::GetStdTwoWire),
    static_cast<CStdTwoWire* (Db::*)(Db&, CTaDBActionDisconnect&)>(&Db::GetStdTwoWire),
    static_cast<CStdTwoWire* (Db::*)(Db&, CTaDBActionReset&)>(&Db::GetStdTwoWire), &CTaDBTDDataSingle::operator=,
    &CTaDBActionSetup::SetStdSignal, &CTaDBActionSetup::GetMeasureInfo_Std, &CTaDBActionSetup::GetMeasureInfo_String,
    &CTaDBTestGroup::GetStringFromType, &Signal::operator=, &Signal::DividePartFromSpace, &Signal::Ge_Value_Unit,
    &Signal::GetControlAct, &Signal::GetDataCompareWay, &Signal::GetDataType, &Signal::GetDataUnit,
    &Signal::GetInfoRange, &Signal::GetJudgeTerm, &Signal::GetOutcomeValue, &Signal::GetSchedulingType,
    &Signal::GetTestGroupType, static_cast<CString (*)(TD_REF_TYPE)>(&Signal::GetSignalRange),
    static_cast<TD_REF_TYPE (*)(CString)>(&Signal::GetSignalRange),
    static_cast<void (*)(CStringArray&)>(&Signal::GetSignalRange),
    static_cast<CString (*)(TD_TESTROLE_TYPE)>(&Signal::GetSignalRole),
    static_cast<TD_TESTROLE_TYPE (*)(CString)>(&Signal::GetSignalRole),
    static_cast<void (*)(CStringArray&)>(&Signal::GetSignalRole),
    static_cast<CString (*)(TD_SIGNALTYPE)>(&Signal::GetSignalType),
    static_cast<TD_SIGNALTYPE (*)(CString)>(&Signal::GetSignalType),
    static_cast<void (*)(CStringArray&)>(&Signal::GetSignalType), &CStdMeasure::operator=,
    &CStdParameterTransfer::operator=, static_cast<ACTION_CONNECT_TARGET (*)(CString)>(&TwoWire::GetConnectType),
    static_cast<CString (*)(ACTION_CONNECT_TARGET)>(&TwoWire::GetConnectType),
    static_cast<void (*)(CStringArray&)>(&TwoWire::GetConnectType), &TwoWire::GetUUTInfo, &TwoWire::SetUUTInfo,
    &TwoWire::GetIviInfo, &TwoWire::SetIviInfo, &TwoWire::GetSwitchChInfo, &TwoWire::SetSwitchChInfo);

template <class T>
void MakeCopyAssign() {
    T made;
    T copy(made);
    copy = made;
}

template <class... T>
void MakeEach() {
    (MakeCopyAssign<T>(), ...);
}

int main() {
    MakeEach<CString, CStringArray, COleDateTime, CATMLError, CATMLCommonFun, CListCtrl, ChangeGate, _DB_CONNECT_INFO,
             CTaDBMng, HostStore, CTaDBUserInfo, CTaDBEdition, CTaDBTps, CTaDBEntry, CTaDBTestGroup,
             CTaDBTestGroupEntry, CTaDBTestPoint, CTaDBTestActionEntry, CTaDBActionConnect, CTaDBActionDisconnect,
             CTaDBActionReset, CTaDBActionRead, CTaDBActionSetup, CTaDBActionCompare, CTaDBFormula, CTaDBInstrument,
             CTaDBMessageHint, CTaDBParameter, CTaDBSignal, CTaDBMeasurement, CTaDBOutcome, CTaDBTestResult,
             CTaDBTestMeasurement, CTaDBTestReplay, _TD_REF, CStdSignal, CStdMeasure, CStdParameterTransfer,
             CStdTwoWire>();
    CObList list;
    CTreeCtrl tree;
    COleDateTime date(2024, 2, 29, 12, 0, 0);
    CTaDBTestGroup loop(CONTROL_NODE_FOR);
    HostStore store;
    store.Fail();
    const bool ok = store.GetErrorCode() == -1 && store.Manager().m_bConnected == 0 &&
                    store.Manager().QueryDataInDB("Select * From TpsTable") == -1;
    std::printf("every declaration links: %s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
}
