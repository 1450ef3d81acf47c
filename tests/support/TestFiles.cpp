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

int OpenDescriptors() {
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (readdir(folder)) ++count;
    closedir(folder);
    return count;
}

int RecordLocksOn(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return -1;
    std::ifstream locks("/proc/locks");
    int count = 0;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, advisory, mode, pid, file;
        fields >> number >> kind >> advisory >> mode >> pid >> file;
        const std::string inode = file.substr(file.rfind(':') + 1);
        if (kind == "POSIX" && pid == std::to_string(getpid()) && inode == std::to_string(info.st_ino)) ++count;
    }
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

void RawExec(const std::string& database, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) throw std::runtime_error("cannot open " + database);
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
