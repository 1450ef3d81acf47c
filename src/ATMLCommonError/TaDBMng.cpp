#include "ATMLCommonError/TaDBMng.h"

#include "ATMLCommonError/Answering.h"
#include "platform/ado/Command.h"
#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/com/Com.h"

namespace {
const char kConnectPosition[] = "CTaDBMng::ConnectDB()";
const char kQueryPosition[] = "CTaDBMng::QueryDataInDB()";
const char kExecutePosition[] = "CTaDBMng::Execute()";

// The state a connect, query or statement starts from: the preset failure at
// its position, made once, so that a call copies it instead of writing its
// trace. One that memory was too short for is not kept but made again.
class PresetFailure : public CATMLError {
public:
    explicit PresetFailure(const char* position) {
        if (!RecordFailureNoThrow(*this, kMsgUnknown, position)) throw std::bad_alloc();
    }
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
    else RecordFailure(kMsgUnknown, position);
}

// The database layer's error joins its description, source and text.
int CTaDBMng::Refuse(const char* message, const ado::ComError* error, const char* position) noexcept {
    RunAnswering(
        [&] {
            if (!error) {
                RecordFailureNoThrow(*this, message, position);
                return;
            }
            const CString joined = CString(error->Description()) + "，" + error->Source().c_str() + "，" +
                                   error->ErrorMessage().c_str();
            RecordFailureNoThrow(*this, joined, position);
        },
        [&](const Thrown& joining) noexcept { RecordFailureNoThrow(*this, joining.message, position); });
    return -1;
}

// Every step, the preset failure's copy included, runs where what it throws is refused.
template <class Body>
int CTaDBMng::Answered(const char* position, Body&& body) noexcept {
    return RunAnswering(*this, std::forward<Body>(body),
                        [&](const Thrown& thrown) noexcept { return Refuse(thrown.message, thrown.error, position); });
}

int CTaDBMng::RefuseUnconnected(const char* position) {
    RecordFailureNoThrow(*this, "使用数据库查询之前未建立数据库连接！", position);
    return -1;
}

int CTaDBMng::ConnectDB(_DB_CONNECT_INFO info) {
    CloseDB();
    CoInitialize(nullptr);
    const int result = Answered(kConnectPosition, [&] {
        Preset(kConnectPosition);
        auto connection = std::make_shared<ado::Connection>();
        connection->Open(info.m_strConnectionString.str(), info.m_strUserId.str(), info.m_strPassword.str(), 0);
        m_pConnection = connection;
        m_bConnected = 1;
        return 1;
    });
    // A failed connect balances its own initialisation.
    if (result != 1) CoUninitialize();
    return result;
}

// A host's statement text is kept for reuse apart from the library's own.
int CTaDBMng::QueryDataInDB(CString sql) {
    return Answered(kQueryPosition, [&] { return QueryDataInDB(ado::Command{sql.str(), {}, ado::Origin::Host}); });
}

int CTaDBMng::Execute(CString sql) {
    return Answered(kExecutePosition, [&] { return Execute(ado::Command{sql.str(), {}, ado::Origin::Host}); });
}

int CTaDBMng::QueryDataInDB(const ado::Command& command) {
    if (!StillConnected(*this)) return RefuseUnconnected(kQueryPosition);
    CloseRecordset();
    return Answered(kQueryPosition, [&] {
        Preset(kQueryPosition);
        // A recordset that no one else holds is opened again, keeping what it allocated.
        if (!m_pRecordset || m_pRecordset.use_count() > 1) m_pRecordset = std::make_shared<ado::Recordset>();
        m_pRecordset->Open(command, m_pConnection, ado::adOpenDynamic, ado::adLockOptimistic, ado::adCmdText);
        m_bRecordsetOpen = 1;
        return 1;
    });
}

int CTaDBMng::Execute(const ado::Command& command) {
    if (!StillConnected(*this)) return RefuseUnconnected(kExecutePosition);
    CloseRecordset();
    return Answered(kExecutePosition, [&] {
        Preset(kExecutePosition);
        m_pConnection->Execute(command);
        return 1;
    });
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
