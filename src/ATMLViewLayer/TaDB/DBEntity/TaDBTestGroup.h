// A test group (test item): the row of TestGroupTable.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "ATMLCommonError/ATMLError.h"
#include "platform/mfc/COleDateTime.h"

// The control node of a test group, stored as its text in TG_CONTROL. Any
// other value, 0 included, stands for no control node ("none"). The type is
// a fixed 32-bit integer so that every such value is representable.
enum CONTROL_NODE_TYPE : int {
    CONTROL_NODE_FOR = 1,
    CONTROL_NODE_WHILE = 2,
    CONTROL_NODE_SWITCH = 3,
    CONTROL_NODE_CASE = 4,
    CONTROL_NODE_DEFAULT = 5,
    CONTROL_NODE_IF = 6,
    CONTROL_NODE_ELSE_IF = 7,
    CONTROL_NODE_ELSE = 8,
    CONTROL_NODE_BREAK = 9,
    CONTROL_NODE_CONTINUE = 10,
    CONTROL_NODE_GOTO = 11,
    CONTROL_NODE_RETURN = 12,
    CONTROL_NODE_END = 13,
    CONTROL_NODE_CALL = 14
};

class AFX_EXT_CLASS CTaDBTestGroup : public CATMLError {
public:
    CTaDBTestGroup();
    // The default record, with TG_CONTROL the text of the given control node.
    explicit CTaDBTestGroup(CONTROL_NODE_TYPE type);
    CTaDBTestGroup(const CTaDBTestGroup& other) = default;
    // Copies every member but the key; the key and the error state stay.
    void operator=(const CTaDBTestGroup& other);
    virtual ~CTaDBTestGroup();

    // The text of a control node: "for" ... "call", "none" for any other value.
    static CString GetStringFromType(CONTROL_NODE_TYPE type);

    CString m_strTgUuid;
    CString m_strTgName;
    CString m_strTgAtmlId;
    CString m_strTgDescription;
    long m_nTgSleepPre;
    long m_nTgSleepPost;
    CString m_strTgType;
    CString m_strTgControl;
    CString m_strTgControlType;
    CString m_strTgControlInfoCount;
    CString m_strTgControlInfoQuality;
    CString m_strOutcomeUuid;
    CString m_strActState;
    CString m_strOutcomeReturnUuid;
    CString m_strTestType;
    CString m_strTestUuid;
    CString m_strOutcomeCallUuid;
    long m_nReserver1;
    CString m_strReserver2;
    CString m_strReserver3;
    CString m_strReserver4;
    COleDateTime m_dtCreateDate;
    COleDateTime m_dtModifyDate;
    CString m_strCreatePerson;
    CString m_strModifyPerson;
};

#include "platform/mfc/AfxExtEnd.h"
