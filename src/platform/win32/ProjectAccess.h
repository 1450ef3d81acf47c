// How the engine may open a project, decided by what its user may do with
// the file and its folder and by what lies beside the file.
//
// A user who may not write the file or its folder only reads it, and the
// folder is left as it was found. The engine reads a file in write-ahead
// logging only through its log (-wal) and the log's index (-shm), which it
// makes where they are not; so where both are there it reads through them
// under its locks, and where it would have to make them it reads the file
// frozen: as it is, without locks or log (an empty log holds nothing). A
// frozen reader keeps every writer out meanwhile (FileHold.h, Engine). A
// file in rollback mode is read under the engine's locks and needs nothing
// beside it.
#pragma once
#include <string>

enum class ProjectAccess {
    Write,   // the user may write the file and its folder
    Read,    // read only, under the engine's locks
    Frozen,  // read only, as the file is
    // Not at all: a log with content lies beside the file without its
    // index, which the user may not make, and the file alone lacks what the
    // log holds.
    LogWithoutIndex,
};

// Whether the user may write the project at path: its file, its folder and
// every journal file beside it.
bool MayWriteProject(const std::string& path);

// How the project at path, held and open at fd, may be opened. A user who
// may write the file and its folder but not a journal file beside it
// (-journal, -wal, -shm) only reads it too: the engine would.
ProjectAccess AccessToProject(const std::string& path, int fd);

// Whether the process's user may do what mode asks (W_OK, X_OK, ...) of
// what path names, as the system decides it for this user.
bool MayWrite(const std::string& path, int mode);

// Whether the user may write the project at path and its folder, but not a
// journal file beside it, as a reader of an earlier version, which made
// them with the bits of the file it could only read, left them.
bool OnlyItsJournalsReadOnly(const std::string& path);
