#include "support/TestFiles.h"

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ado/Connection.h"

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ruri-test-XXXXXX").string();
    if (!mkdtemp(&pattern[0])) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

std::string FolderIn(const TempDir& dir, const std::string& name, unsigned mode) {
    const std::string folder = dir.File(name);
    if (mkdir(folder.c_str(), mode) != 0 || chmod(folder.c_str(), mode) != 0)
        throw std::runtime_error("cannot make " + folder);
    return folder;
}

namespace {
int EntriesOf(const char* path) {
    int count = 0;
    DIR* folder = opendir(path);
    while (readdir(folder)) ++count;
    closedir(folder);
    return count;
}
}  // namespace

int OpenDescriptors() { return EntriesOf("/proc/self/fd"); }

int ThreadsOfThisProcess() { return EntriesOf("/proc/self/task") - 2; }  // less "." and ".."

// Read from the descriptors' own listings, each of which the kernel writes
// whole under the file's lock list: /proc/locks is written a page at a time,
// and other processes' locks coming and going meanwhile repeat or skip its
// lines. A descriptor lists the locks taken through it; the process has
// record locks on a file only while it has it open.
int RecordLocksOn(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return -1;
    DIR* folder = opendir("/proc/self/fd");
    int count = 0;
    for (dirent* entry; folder && (entry = readdir(folder));) {
        struct stat open;
        const int fd = atoi(entry->d_name);
        if (entry->d_name[0] == '.' || fd == dirfd(folder) || fstat(fd, &open) != 0) continue;
        if (open.st_dev != info.st_dev || open.st_ino != info.st_ino) continue;
        std::ifstream listing("/proc/self/fdinfo/" + std::to_string(fd));
        for (std::string line; std::getline(listing, line);)
            if (line.rfind("lock:", 0) == 0 && line.find(" POSIX ") != std::string::npos) ++count;
    }
    if (folder) closedir(folder);
    return count;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

namespace {
// How long a raw look waits for a lock that another holds for a moment (a
// store that closes a project another process keeps open locks the
// engine's pending byte while it looks at the locks of its own process),
// as programs beside the library's stores wait.
const int kRawBusyMs = 10000;
}  // namespace

void RawExec(const std::string& database, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + database);
    sqlite3_busy_timeout(db, kRawBusyMs);
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(message);
}

std::vector<std::vector<std::string>> RawQuery(const std::string& database, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + database);
    sqlite3_busy_timeout(db, kRawBusyMs);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    std::vector<std::vector<std::string>> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            row.push_back(sqlite3_column_type(stmt, i) == SQLITE_NULL
                              ? "<null>"
                              : std::string(reinterpret_cast<const char*>(text),
                                            static_cast<size_t>(sqlite3_column_bytes(stmt, i))));
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

void LeaveInTheLog(const std::string& database, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + database);
    const std::string all = "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; " + sql;
    const int rc = sqlite3_exec(db, all.c_str(), nullptr, nullptr, nullptr);
    // The files as they stand now; closing would write the log back.
    const std::string main = ReadFile(database), log = ReadFile(database + "-wal");
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error("cannot run " + sql);
    WriteFile(database, main);
    WriteFile(database + "-wal", log);
}

std::string ConnectionStringFor(const std::string& path) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + ado::Connection::QuoteValue(path) +
           ";Persist Security info=False;Jet OLEDB:Database Password=rido-zeda";
}
