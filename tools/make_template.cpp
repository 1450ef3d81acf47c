// Build tool: runs an SQL script into a new database file.
//   make_template <script.sql> <database>
// An existing database file is replaced. The database is left in
// write-ahead-log mode, so that projects copied from it start in the mode
// every write of the library expects.
#include <cstdio>
#include <fstream>
#include <sqlite3.h>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <script.sql> <database>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream script;
    script << in.rdbuf();
    std::remove(argv[2]);
    sqlite3* db = nullptr;
    if (sqlite3_open(argv[2], &db) != SQLITE_OK) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[2], sqlite3_errmsg(db));
        return 1;
    }
    char* error = nullptr;
    int rc = sqlite3_exec(db, ("BEGIN;" + script.str() + ";COMMIT;").c_str(), nullptr, nullptr, &error);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "VACUUM", nullptr, nullptr, &error);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, &error);
    if (rc != SQLITE_OK) std::fprintf(stderr, "%s: %s\n", argv[1], error ? error : "failed");
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) std::remove(argv[2]);
    return rc == SQLITE_OK ? 0 : 1;
}
