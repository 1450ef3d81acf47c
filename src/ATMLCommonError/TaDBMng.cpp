#include "ATMLCommonError/TaDBMng.h"

#include "platform/ado/Command.h"
#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/com/Com.h"

namespace {
const char kConnectPosition[] = "CTaDBMng::ConnectDB()";
const char kQueryPosition[] = "CTaDBMng::QueryDataInDB()";
const char kExecutePosition[] = "CTaDBMng::Execute()";
const char kPresetMessage[] = "未知错误！";

// The state a connect, query or statement starts from: the preset failure at
// its position, made once, so that a call copies it instead of writing its trace.
class PresetFailure : public CATMLError {
public:
    explicit PresetFailure(const char* position) { RecordFailure(kPresetMessage, position); }
};

// Whether mng is connected: a copy may have closed the shared connection,
// and the flags of mng then say so too from its next call on.
bool StillConnected(CTaDBMng& mng) {
    if (mng.m_bConnected && !(mng.m_pConnection && mng.m_pConnection->IsOpen())) {
        mng.m_bConnected = 0;
        mng.m_bRecordsetOpen = 0;
        mng.m_pConnection.reset();
    }
    return mng.m_bConnected;
}
}  // namespace

CTaDBMng::CTaDBMng() : m_bConnected(0), m_bRecordsetOpen(0) {}

CTaDBMng::~CTaDBMng() {
    try {
        // Only the last holder of a shared connection closes it.
        if (m_pConnection && m_pConnection.use_count() == 1) CloseDB();
    } catch (...) {
    }
}

void CTaDBMng::Preset(const char* position) {
    static const PresetFailure connect(kConnectPosition), query(kQueryPosition), execute(kExecutePosition);
    if (position == kQueryPosition) CATMLError::operator=(query);
    else if (position == kExecutePosition) CATMLError::operator=(execute);
    else if (position == kConnectPosition) CATMLError::operator=(connect);
    else RecordFailure(kPresetMessage, position);
}

void CTaDBMng::ReportComError(const ado::ComError& error, const char* position) {
    RecordFailure(CString(error.Description()) + "，" + error.Source().c_str() + "，" + error.ErrorMessage().c_str(),
                  position);
}

int CTaDBMng::RefuseUnconnected(const char* position) {
    RecordFailure("使用数据库查询之前未建立数据库连接！", position);
    return -1;
}

int CTaDBMng::ConnectDB(_DB_CONNECT_INFO info) {
    CloseDB();
    CoInitialize(nullptr);
    Preset(kConnectPosition);
    try {
        auto connection = std::make_shared<ado::Connection>();
        connection->Open(info.m_strConnectionString.str(), info.m_strUserId.str(), info.m_strPassword.str(), 0);
        m_pConnection = connection;
        m_bConnected = 1;
        return 1;
    } catch (const ado::ComError& error) {
        ReportComError(error, kConnectPosition);
    } catch (...) {
    }
    // A failed connect balances its own initialisation.
    CoUninitialize();
    return -1;
}

// A host's statement text is kept for reuse apart from the library's own.
int CTaDBMng::QueryDataInDB(CString sql) { return QueryDataInDB(ado::Command{sql.str(), {}, ado::Origin::Host}); }

int CTaDBMng::Execute(CString sql) { return Execute(ado::Command{sql.str(), {}, ado::Origin::Host}); }

int CTaDBMng::QueryDataInDB(const ado::Command& command) {
    if (!StillConnected(*this)) return RefuseUnconnected(kQueryPosition);
    CloseRecordset();
    Preset(kQueryPosition);
    try {
        // A recordset that no one else holds is opened again, keeping what it allocated.
        if (!m_pRecordset || m_pRecordset.use_count() > 1) m_pRecordset = std::make_shared<ado::Recordset>();
        m_pRecordset->Open(command, m_pConnection, ado::adOpenDynamic, ado::adLockOptimistic, ado::adCmdText);
        m_bRecordsetOpen = 1;
        return 1;
    } catch (const ado::ComError& error) {
        ReportComError(error, kQueryPosition);
    } catch (...) {
    }
    return -1;
}

int CTaDBMng::Execute(const ado::Command& command) {
    if (!StillConnected(*this)) return RefuseUnconnected(kExecutePosition);
    CloseRecordset();
    Preset(kExecutePosition);
    try {
        m_pConnection->Execute(command);
        return 1;
    } catch (const ado::ComError& error) {
        ReportComError(error, kExecutePosition);
    } catch (...) {
    }
    return -1;
}

int CTaDBMng::CloseRecordset() {
    if (m_bRecordsetOpen == 1) {
        if (m_pRecordset) m_pRecordset->Close();
        m_bRecordsetOpen = 0;
    }
    return 1;
}

int CTaDBMng::CloseDB() {
    CloseRecordset();
    if (m_bConnected) {
        m_bConnected = 0;
        // A copy may have closed the shared connection already; the thread's
        // initialisation is given back once, by whoever closes it.
        if (m_pConnection && m_pConnection->IsOpen()) {
            m_pConnection->Close();
            CoUninitialize();
        }
        m_pConnection.reset();
    }
    return 1;
}

ado::RecordsetPtr CTaDBMng::GetRecordset() { return m_pRecordset; }
