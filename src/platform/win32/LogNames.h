// The names the database engine gives a project's journal files (its path
// and "-journal", "-wal" or "-shm"), and what may lie there. The engine
// opens, writes and removes whatever it finds at those names: a named pipe
// there blocks its open for good, and a project named so would be taken for
// a log and lose its rows. So before the engine touches a project, each of
// its journal names is absent or a regular file of one name that is no
// database and that no store holds; and no project takes such a name, nor
// the folder lock's.
#pragma once
#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace fileshare {
// errno of a project refused because one of its journal names is taken by
// something that is no journal file: a symbolic link, a named pipe, a
// socket, a device, a folder or a file with more than one name.
const int kLogNameNotAFile = EMEDIUMTYPE;
// The same, where the name is taken by a database: a project of its own.
const int kLogNameIsADatabase = ENOTUNIQ;
// The same, where the name is taken by a file that a store holds.
const int kLogNameHeld = EREMCHG;
// errno of a project path refused for its name: it ends as the engine's
// journal names do, or it is the folder lock's.
const int kReservedName = ENOTNAM;
}  // namespace fileshare

// What the engine adds to a database's path to name its journal files.
constexpr const char* kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

// Whether the file open at fd begins as every database of the engine does.
bool IsDatabaseFile(int fd);

// How far a look at a project's journal names goes.
enum class LogLook {
    // What each name is (lstat), and this process's holds, opening nothing:
    // for a caller beside which an engine of this process has the project
    // open, whose first holder looked into the files.
    Names,
    // Also the files' first bytes and other processes' holds, on a
    // descriptor: for a caller that holds the project exclusively, or opens
    // the first hold of it in this process.
    Files,
};

// Whether the journal name log (a project's path and a suffix) is absent or
// a regular file of one name that no store holds and, looked at as Files,
// no database. False with errno set (kLogNameNotAFile, kLogNameIsADatabase,
// kLogNameHeld, or the error of a look) and LogNameFault() saying what is
// there. In found, what was looked at (st_nlink 0 where nothing is).
bool LogNameClear(const std::string& log, LogLook look, struct stat* found = nullptr);
// The same for each journal name of the project at path.
bool LogNamesClear(const std::string& path, LogLook look);
// The journal name that the calling thread's last refusal found taken, and
// what took it: "<name> is a named pipe".
const std::string& LogNameFault();

// The file whose journal (-journal, -wal or -shm) path would be, as the
// engine names journals; path itself when it has no such name.
std::string JournalOwner(const std::string& path);
// Whether path may not name a project: it ends as the engine's journal
// names do, or its name is the folder lock's.
bool IsReservedProjectName(const std::string& path);
