// The error state every class of the library carries: the code, message and
// trace of its last failure. Errors travel by value in this state; nothing
// throws out of the library. A success never resets it. Where memory is too
// short for a text, a setter writes the out-of-memory text instead (or none)
// and a getter gives the empty text; neither throws.
#pragma once
#include "platform/mfc/AfxExt.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

// The result of every project and table operation.
typedef int RESULTSTATE;
const RESULTSTATE RESULT_ERROR = -1;
const RESULTSTATE RESULT_WARNING = 0;
const RESULTSTATE RESULT_SUCCESS = 1;

class AFX_EXT_CLASS CATMLError : public CObject {
public:
    CATMLError();
    CATMLError(const CATMLError& other);
    CATMLError& operator=(const CATMLError& other);
    virtual ~CATMLError();

    void SetErrorCode(long code);
    long GetErrorCode() const;
    void SetErrorInfo(CString info);
    CString GetErrorInfo() const;
    // Rebuilds the trace as one line for this position. With a source, its
    // code and message are taken over first and its trace follows the line;
    // without one, the trace starts afresh.
    void SetErrorTrace(CString position, const CATMLError* source = nullptr);
    CString GetErrorTrace() const;
    CString GetErrorCodeText(long code) const;

    static CString ErrorCodeToText(long code);

    long m_nErrorCode;
    CString m_strErrorInfo;
    CString m_strErrorTrace;

protected:
    // A failure detected here: code -1, the message, and a trace that starts at position.
    void RecordFailure(CString message, CString position);
};

#include "platform/mfc/AfxExtEnd.h"
