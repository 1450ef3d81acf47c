#include "ATMLViewLayer/TaDB/DBEntity/TaDBTestGroup.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

namespace {

// Both constructors: a fresh key, then every default in declaration order,
// with the control node given by the caller at its own place.
void SetTestGroupDefaults(CTaDBTestGroup& group, CONTROL_NODE_TYPE control) {
    group.m_strTgUuid = NewKeyText();
    group.m_strTgName = "新建测试项目";
    group.m_nTgSleepPre = 0;
    group.m_nTgSleepPost = 0;
    group.m_strTgType = "顺序";
    group.m_strTgControl = CTaDBTestGroup::GetStringFromType(control);
    group.m_strTgControlType = "定量判断";
    SetReserveDefaults(group);
    SetAuditDefaults(group);
}

}  // namespace

// No control node: GetStringFromType(0) is "none".
CTaDBTestGroup::CTaDBTestGroup() { SetTestGroupDefaults(*this, static_cast<CONTROL_NODE_TYPE>(0)); }

CTaDBTestGroup::CTaDBTestGroup(CONTROL_NODE_TYPE type) { SetTestGroupDefaults(*this, type); }

void CTaDBTestGroup::operator=(const CTaDBTestGroup& other) { AssignContent(*this, other); }

CTaDBTestGroup::~CTaDBTestGroup() = default;

CString CTaDBTestGroup::GetStringFromType(CONTROL_NODE_TYPE type) {
    CString text = "none";
    switch (type) {
        case CONTROL_NODE_FOR: text = "for"; break;
        case CONTROL_NODE_WHILE: text = "while"; break;
        case CONTROL_NODE_SWITCH: text = "switch"; break;
        case CONTROL_NODE_CASE: text = "case"; break;
        case CONTROL_NODE_DEFAULT: text = "default"; break;
        case CONTROL_NODE_IF: text = "if"; break;
        case CONTROL_NODE_ELSE_IF: text = "else if"; break;
        case CONTROL_NODE_ELSE: text = "else"; break;
        case CONTROL_NODE_BREAK: text = "break"; break;
        case CONTROL_NODE_CONTINUE: text = "continue"; break;
        case CONTROL_NODE_GOTO: text = "goto"; break;
        case CONTROL_NODE_RETURN: text = "return"; break;
        case CONTROL_NODE_END: text = "end"; break;
        case CONTROL_NODE_CALL: text = "call"; break;
        default: break;
    }
    return text;
}

// The table stores the quality before the count, unlike the declaration order.
template <>
const ColumnMap<CTaDBTestGroup>& ColumnMapOf<CTaDBTestGroup>() {
    using R = CTaDBTestGroup;
    static const ColumnMap<R> map{"TestGroupTable", "TG_UUID",
                                  Columns<R>({{{"TG_UUID", &R::m_strTgUuid},
                                               {"TG_NAME", &R::m_strTgName},
                                               {"TG_ATML_ID", &R::m_strTgAtmlId},
                                               {"TG_DESCRIPTION", &R::m_strTgDescription},
                                               {"TG_SLEEP_PRE", &R::m_nTgSleepPre},
                                               {"TG_SLEEP_POST", &R::m_nTgSleepPost},
                                               {"TG_TYPE", &R::m_strTgType},
                                               {"TG_CONTROL", &R::m_strTgControl},
                                               {"TG_CONTROL_TYPE", &R::m_strTgControlType},
                                               {"TG_CONTROL_INFO_QUALITY", &R::m_strTgControlInfoQuality},
                                               {"TG_CONTROL_INFO_COUNT", &R::m_strTgControlInfoCount},
                                               {"OUTCOME_UUID", &R::m_strOutcomeUuid},
                                               {"ACT_STATE", &R::m_strActState},
                                               {"OUTCOME_RETURN_UUID", &R::m_strOutcomeReturnUuid},
                                               {"TEST_TYPE", &R::m_strTestType},
                                               {"TEST_UUID", &R::m_strTestUuid},
                                               {"OUTCOME_CALL_UUID", &R::m_strOutcomeCallUuid}},
                                              ReserveColumns<R>(),
                                              AuditColumns<R>()})};
    return map;
}
