// A plain SQLite program that keeps databases open, as a station keeps the
// projects it works on: it opens each database named after argv[1], runs
// the statements of argv[1] on it (a transaction they begin stays open),
// writes 'y' to its standard output ('n' when any failed), and closes them
// all once its standard input ends.
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<sqlite3*> kept;
    bool ok = argc > 1;
    for (int i = 2; i < argc; ++i) {
        kept.push_back(nullptr);
        ok = ok && sqlite3_open(argv[i], &kept.back()) == SQLITE_OK &&
             sqlite3_exec(kept.back(), argv[1], nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    const char word = ok ? 'y' : 'n';
    char end = 0;
    if (write(1, &word, 1) != 1) ok = false;
    while (read(0, &end, 1) > 0) continue;
    for (sqlite3* db : kept) sqlite3_close_v2(db);
    return ok ? 0 : 1;
}
