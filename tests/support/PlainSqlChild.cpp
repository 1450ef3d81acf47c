// A plain SQLite program, as another process beside the library's stores
// runs one (the sqlite3 shell, say): it opens the database at argv[1],
// waits argv[3] milliseconds for another's lock (none when absent), runs the
// statements of argv[2], closes, and exits with 0, or prints the engine's
// message and exits with 1.
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    sqlite3* db = nullptr;
    int rc = sqlite3_open(argv[1], &db);
    if (rc == SQLITE_OK && argc > 3) rc = sqlite3_busy_timeout(db, std::atoi(argv[3]));
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, argv[2], nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    if (sqlite3_close(db) != SQLITE_OK) rc = SQLITE_ERROR;
    return rc == SQLITE_OK ? 0 : 1;
}
