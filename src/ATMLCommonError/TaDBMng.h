// The connection manager: one database connection and at most one open
// recordset. Every query and statement first closes the open recordset.
// After a successful connect, query or statement the manager's error state
// still holds the preset failure ("未知错误！"): callers judge by the result.
//
// Exported, since the project store holds one: a host may connect a manager
// of its own and run statement texts through it. Recordsets and the
// library's bound statements belong to the database layer inside, which
// hosts never see: a host can test a query, not read its rows.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <memory>

#include "ATMLCommonError/ATMLError.h"

namespace ado {
struct Command;
class ComError;
class Connection;
class Recordset;
using ConnectionPtr = std::shared_ptr<Connection>;
using RecordsetPtr = std::shared_ptr<Recordset>;
}  // namespace ado

struct _DB_CONNECT_INFO {
    _DB_CONNECT_INFO() = default;
    _DB_CONNECT_INFO(const _DB_CONNECT_INFO& other) = default;
    ~_DB_CONNECT_INFO() = default;

    CString m_strConnectionString;
    CString m_strUserId;
    CString m_strPassword;
};

class AFX_EXT_CLASS CTaDBMng : public CATMLError {
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
    AFX_INTERNAL int QueryDataInDB(const ado::Command& command);
    AFX_INTERNAL int Execute(const ado::Command& command);
    int CloseRecordset();
    int CloseDB();
    ado::RecordsetPtr GetRecordset();

    int m_bConnected;
    int m_bRecordsetOpen;
    ado::ConnectionPtr m_pConnection;
    ado::RecordsetPtr m_pRecordset;

private:
    AFX_INTERNAL void Preset(const char* position);
    // -1, with what a connect, query or statement threw written as its
    // failure at position: the database layer's error, or else message.
    AFX_INTERNAL int Refuse(const char* message, const ado::ComError* error, const char* position) noexcept;
    // Runs the steps of a connect, query or statement; what they throw is refused at position.
    template <class Body>
    AFX_INTERNAL int Answered(const char* position, Body&& body) noexcept;
    AFX_INTERNAL int RefuseUnconnected(const char* position);
};

#include "platform/mfc/AfxExtEnd.h"
