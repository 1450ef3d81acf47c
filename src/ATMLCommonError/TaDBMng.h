// The connection manager: one database connection and at most one open
// recordset. Every query and statement first closes the open recordset.
// After a successful connect, query or statement the manager's error state
// still holds the preset failure ("未知错误！"): callers judge by the result.
#pragma once
#include "ATMLCommonError/ATMLError.h"
#include "platform/ado/Command.h"
#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

struct _DB_CONNECT_INFO {
    _DB_CONNECT_INFO() = default;
    _DB_CONNECT_INFO(const _DB_CONNECT_INFO& other) = default;
    ~_DB_CONNECT_INFO() = default;

    CString m_strConnectionString;
    CString m_strUserId;
    CString m_strPassword;
};

class CTaDBMng : public CATMLError {
public:
    CTaDBMng();
    // Copies share the connection and the recordset. The connection closes
    // when a copy calls CloseDB or when its last holder is destroyed.
    CTaDBMng(const CTaDBMng& other) = default;
    CTaDBMng& operator=(const CTaDBMng& other) = default;
    virtual ~CTaDBMng();

    int ConnectDB(_DB_CONNECT_INFO info);
    int QueryDataInDB(CString sql);
    int Execute(CString sql);
    // The same for the library's own statements, whose values are bound to
    // parameters; each statement is prepared once per connection.
    int QueryDataInDB(const ado::Command& command);
    int Execute(const ado::Command& command);
    int CloseRecordset();
    int CloseDB();
    ado::RecordsetPtr GetRecordset();

    int m_bConnected;
    int m_bRecordsetOpen;
    ado::ConnectionPtr m_pConnection;
    ado::RecordsetPtr m_pRecordset;

private:
    void Preset(const char* position);
    void ReportComError(const ado::ComError& error, const char* position);
    int RefuseUnconnected(const char* position);
};
