// The project file's lifecycle: new, open, save, close, and the path state.
#include <iterator>
#include <new>
#include <utility>

#include "ATMLCommonError/CommonTexts.h"
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"
#include "ATMLViewLayer/TaDB/DBActTD/TemplateSchema.h"
#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"
#include "platform/ado/ComError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SchemaShape.h"
#include "platform/win32/File.h"
#include "platform/win32/LastError.h"

namespace {
const char kConnectionFormat[] =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Persist Security info=False;Jet OLEDB:Database Password=%s";
const char kProjectPassword[] = "rido-zeda";
const char kInitPosition[] = "CTaDBTDDataSingle::InitLibrary()";
const char kOpenPosition[] = "CTaDBTDDataSingle::Open()";
const char kNewPosition[] = "CTaDBTDDataSingle::New()";
const char kMsgPathNotOneFile[] = "文件路径中含有空字符，不能确切指明一个文件！";
const char kSavePosition[] = "CTaDBTDDataSingle::Save()";

// The file system and the engine take a path as C text, which ends at the
// first NUL character: a path that holds one would name another file.
bool NamesOneFile(const CString& path) { return path.str().find('\0') == std::string::npos; }

// The text a failed copy answers with: running out of memory's own, or the
// system's text for the error followed by tail.
CString CopyFailureText(DWORD error, const CString& tail) {
    if (error == ERROR_NOT_ENOUGH_MEMORY) return kMsgOutOfMemory;
    return SystemErrorMessage(error) + tail;
}

// The shape every project's tables are held to: the template's, read once
// from the SQL the template file is made from. Raises ComError.
const ado::TemplateShape& ProjectShape() {
    static const ado::TemplateShape shape(TemplateSchemaSql());
    return shape;
}
}  // namespace

// A store that memory is too short to make is not made.
CTaDBTDDataSingle::CTaDBTDDataSingle() {
    if (InitLibrary() != 1) throw std::bad_alloc();
}

CTaDBTDDataSingle::CTaDBTDDataSingle(const CTaDBTDDataSingle& other) = default;

CTaDBTDDataSingle& CTaDBTDDataSingle::operator=(const CTaDBTDDataSingle& other) = default;

CTaDBTDDataSingle::~CTaDBTDDataSingle() {
    try {
        // A copy that still holds the connection keeps the project open.
        if (!(m_dbMng.m_pConnection && m_dbMng.m_pConnection.use_count() > 1)) CTaDBTDDataSingle::ReleaseLibrary();
    } catch (...) {
    }
}

RESULTSTATE CTaDBTDDataSingle::InitLibrary() {
    m_strFilePath.Empty();
    m_bModified = 0;
    m_nFilePathState = FILEPATHSTATE_NONE;
    ResetEditions();
    return Answered(kInitPosition, [&] {
        CString folder;
        ModulePathText(g_hInstance, false, folder);
        m_strTemplatePath = folder + "/tpstemplate.dll";
        m_strTempPath = folder + "/tpstemp.tarnprj";
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::ReleaseLibrary() { return Close(); }

RESULTSTATE CTaDBTDDataSingle::ConnectProject(const CString& path, const char* position) {
    if (!NamesOneFile(path)) return OwnFailure(-1, kMsgPathNotOneFile, position);
    const RESULTSTATE result = Answered(position, [&] {
        // The path is quoted where it holds ";" or a quote, so that no part of
        // it is read as a setting of its own.
        _DB_CONNECT_INFO info;
        info.m_strConnectionString.Format(kConnectionFormat, ado::Connection::QuoteValue(path.str()).c_str(),
                                          kProjectPassword);
        if (m_dbMng.ConnectDB(info) != 1) return PassOn(-1, position);
        // A project holds data only, in tables shaped as the template's: any
        // other file is refused before anything of it is read.
        m_dbMng.m_pConnection->RequireProjectShape(ProjectShape());
        // A file whose editions cannot be read is not a project either.
        return SetEditionInfo();
    });
    // Nothing may be written into a file refused, its log folded back in
    // included, so its connection is not left open.
    if (result != 1 && m_dbMng.m_bConnected) {
        m_dbMng.m_pConnection->LeaveFileAsFound();
        m_dbMng.CloseDB();
    }
    return result;
}

RESULTSTATE CTaDBTDDataSingle::Open(CString path) {
    Close();
    return Answered(kOpenPosition, [&] {
        m_strFilePath = path;
        const RESULTSTATE result = ConnectProject(path, kOpenPosition);
        if (result != 1) return result;
        m_nFilePathState = FILEPATHSTATE_FILE;
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::New(CString path, int bOverwriteTemp) {
    Close();
    return Answered(kNewPosition, [&] {
        const bool untitled = path.IsEmpty();
        const CString target = untitled ? m_strTempPath : path;
        if (!NamesOneFile(target) || !NamesOneFile(m_strTemplatePath))
            return OwnFailure(-1, kMsgPathNotOneFile, kNewPosition);
        // The new file stays held from its placing until the store has joined the hold.
        fileshare::Hold placed;
        if (!CopyFileA(m_strTemplatePath, target, untitled && bOverwriteTemp == 0, &placed)) {
            // An untitled project already on disk is continued as it is.
            if (!(untitled && GetLastError() == ERROR_FILE_EXISTS))
                return OwnFailure(-1, CopyFailureText(GetLastError(), m_strTemplatePath), kNewPosition);
        }
        if (!untitled) m_strFilePath = path;
        const RESULTSTATE result = ConnectProject(target, kNewPosition);
        if (result != 1) return result;
        m_nFilePathState = untitled ? FILEPATHSTATE_TEMP : FILEPATHSTATE_FILE;
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::Save() {
    if (m_nFilePathState == FILEPATHSTATE_FILE) return 1;
    const bool named = NamesOneFile(m_strFilePath) && NamesOneFile(m_strTempPath);
    const char* refusal = m_nFilePathState == FILEPATHSTATE_NONE ? "请先建立新文件或打开文件。"
                          : m_strFilePath.IsEmpty()              ? "请先设置需保存的文件路径。"
                          : !named                               ? kMsgPathNotOneFile
                                                                 : nullptr;
    if (refusal) return OwnFailure(-1, refusal, kSavePosition);
    return Answered(kSavePosition, [&] {
        // The project stays connected while it is copied, and other stores may
        // write into it meanwhile: the copy is taken from one snapshot of the
        // open connection. A temporary project this store is not connected to
        // is opened for the copy, so that what its log holds is copied too. The
        // copy stays held from its placing until the store has joined the hold.
        m_dbMng.CloseRecordset();
        const ado::ConnectionPtr& connection = m_dbMng.m_pConnection;
        const bool connected = connection && connection->IsOpen() && connection->Path() == m_strTempPath.str();
        fileshare::Hold placed;
        if (!(connected ? connection->CopyTo(m_strFilePath.str(), &placed)
                        : ado::Connection::CopyFile(m_strTempPath.str(), m_strFilePath.str(), &placed)))
            return OwnFailure(-1, CopyFailureText(GetLastError(), ""), kSavePosition);
        // Open closes the untitled project before it connects the copy: the
        // store's state is kept, and its connection set aside still open, so
        // that a copy in place that cannot be opened (memory ran out) leaves
        // the store on the untitled project as it was, to save again. Going
        // back allocates nothing.
        CString saved = m_strFilePath;
        CString path = saved;  // Open's own, made while nothing has changed
        const int modified = m_bModified;
        const int state = m_nFilePathState;
        int editions[std::size(kEditionNames)];
        for (size_t i = 0; i < std::size(kEditionNames); ++i) editions[i] = this->*kEditionNames[i].member;
        CTaDBMng untitled;
        untitled.m_pConnection = std::move(m_dbMng.m_pConnection);
        std::swap(untitled.m_bConnected, m_dbMng.m_bConnected);
        const RESULTSTATE result = Open(std::move(path));
        if (result == 1) {
            untitled.CloseDB();
            m_nFilePathState = FILEPATHSTATE_FILE;
            m_bModified = 0;
            return 1;
        }
        m_dbMng.CloseDB();
        m_dbMng.m_pConnection = std::move(untitled.m_pConnection);
        std::swap(untitled.m_bConnected, m_dbMng.m_bConnected);
        for (size_t i = 0; i < std::size(kEditionNames); ++i) this->*kEditionNames[i].member = editions[i];
        m_strFilePath = std::move(saved);
        m_nFilePathState = state;
        m_bModified = modified;
        return result;
    });
}

RESULTSTATE CTaDBTDDataSingle::Close() {
    m_strFilePath.Empty();
    m_bModified = 0;
    m_nFilePathState = FILEPATHSTATE_NONE;
    ResetEditions();
    m_dbMng.CloseDB();
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::SetFilePath(CString path) {
    return Answered("CTaDBTDDataSingle::SetFilePath()", [&] {
        if (m_nFilePathState != FILEPATHSTATE_FILE) m_strFilePath = path;
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::GetFilePath(CString& path) {
    return Answered("CTaDBTDDataSingle::GetFilePath()", [&] {
        path = m_strFilePath;
        return 1;
    });
}

RESULTSTATE CTaDBTDDataSingle::IsModified(int& modified) {
    modified = m_bModified;
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::SetModifyState(int modified) {
    m_bModified = modified;
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::FilePathState(int& state) {
    state = m_nFilePathState;
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::SetFilePathState(int state) {
    m_nFilePathState = state;
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::GetTpsTempPath(CString& path) {
    return Answered("CTaDBTDDataSingle::GetTpsTempPath()", [&] {
        path = m_strTempPath;
        return 1;
    });
}
