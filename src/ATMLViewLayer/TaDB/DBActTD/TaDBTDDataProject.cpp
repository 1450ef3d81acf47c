// Operations on the project as a whole, built from the store's own table
// operations, each called through the interface.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

namespace {
// The clears of ClearATMLID in their order, each with the message it adds when it fails.
const struct {
    RESULTSTATE (CTaDBTDDataBase::*clear)();
    const char* failure;
} kProjectClears[] = {
    {&CTaDBTDDataBase::Clear_AtmlId_TestGroupTable, "清除测试项目的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_TestPointTable, "清除测试点的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionConnect, "清除测试动作建立连接的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionDisconnect, "清除测试动作断开连接的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionReset, "清除测试动作复位的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionRead, "清除测试动作数据测量的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionSetup, "清除测试动作设置信号的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Formula, "清除公式计算的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Instrument, "清除测试仪器的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_MessageHint, "清除测试动作信息提示的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Parameter, "清除测试参数的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Signal, "清除测试信号的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Tps, "清除测试项目 Tps 的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Measurement, "清除测试实体的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_Outcome, "清除测试输出的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_TestResult, "清除测试结果的 ATML ID 失败！"},
    {&CTaDBTDDataBase::Clear_AtmlId_ActionCompare, "清除测试动作数据比较的 ATML ID 失败！"},
};
}  // namespace

// Every clear runs, whatever the ones before it returned; the store's error
// state is the last failing clear's.
RESULTSTATE CTaDBTDDataSingle::ClearATMLID(CString& message) {
    message.Empty();
    RESULTSTATE result = 1;
    for (const auto& step : kProjectClears) {
        if ((this->*step.clear)() == 1) continue;
        result = -1;
        // Without room for its text, the failing clear's error state tells of it alone.
        RunAnswering([&] { message += step.failure; }, [](const Thrown&) noexcept {});
    }
    return result;
}

// The project's first TPS row; a project without one gets a new row first.
RESULTSTATE CTaDBTDDataSingle::GetTpsUutInfo(CTaDBTps& record) {
    CObList rows;
    const RESULTSTATE result = Answered("CTaDBTDDataSingle::GetTpsUutInfo()", [&] {
        if (GetAllItem_Tps(rows) != 1) return -1;
        const CTaDBTps* found = !rows.IsEmpty() ? static_cast<CTaDBTps*>(rows.GetHead()) : nullptr;
        CTaDBTps fresh;
        if (!found && AddItem_Tps(fresh, 1) != 1) return -1;
        if (!found) found = &fresh;
        record = *found;  // the assignment keeps the target's key
        record.m_strTpsUuid = found->m_strTpsUuid;
        return 1;
    });
    ClearObjectList(rows, "CTaDBTps");
    return result;
}

RESULTSTATE CTaDBTDDataSingle::SetTpsUutInfo(CTaDBTps& record) { return AddItem_Tps(record, 0) == -1 ? -1 : 1; }

// A test group is shown by its name when it is a plain sequence or branch,
// otherwise by its control text; a test point by its name.
RESULTSTATE CTaDBTDDataSingle::GetTestItemName(CString kind, CString key, CString& name) {
    name.Empty();
    if (key.IsEmpty()) return 1;
    return Answered("CTaDBTDDataSingle::GetTestItemName()", [&] {
        if (kind == "测试项目") {
            CTaDBTestGroup group;
            if (GetItem_TestGroupTable(group, 1, key) != 1) return -1;
            const CString& control = group.m_strTgControl;
            const bool named = control == "none" || control == "顺序测试项目" || control == "分支测试项目";
            name = named ? group.m_strTgName : control;
        } else if (kind == "测试点") {
            CTaDBTestPoint point;
            if (GetItem_TestPointTable(point, 1, key) != 1) return -1;
            name = point.m_strTpName;
        }
        return 1;
    });
}
