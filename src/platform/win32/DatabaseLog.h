// The log a database file may have beside it (-wal, or a -journal left by a
// killed writer) holds part of what the file is: before the file is replaced
// or its log removed, the log is folded back into it.
#pragma once
#include <string>

#include "platform/win32/ProjectAccess.h"

struct sqlite3;

// How long every engine connection of the library waits for another's lock
// before it fails: the busy timeout.
const int kBusyTimeoutMs = 5000;

// The name under which the engine opens the file at path: never read as a
// URI, even by an engine built with URIs on, since a name that begins with
// "/" or "./" is always a file's.
std::string EngineFileName(const std::string& path);

// The name under which the engine opens and keeps the file at path, and
// after which it names the file's journals: its full path with every
// symbolic link resolved, as the engine's own full-path function makes it.
// False with errno set (EINVAL where the engine gives no reason) where the
// engine cannot make one, and so could not open the file either; ENOMEM
// where it (its own setup included) had no memory to make it, which says
// nothing of the file.
bool EngineName(const std::string& path, std::string& name);

// Whether the engine refuses a database at path for its length: its full
// path, as the engine makes it (links resolved), is longer than the
// engine's limit (EnginePathLimit characters, room left for a journal's
// suffix). A path the engine cannot make for another reason is left to the
// engine's own open. Both raise std::bad_alloc where the engine had no
// memory to tell, its own setup included (and the limit std::system_error
// where that setup failed otherwise).
bool TooLongForTheEngine(const std::string& path);
int EnginePathLimit();

// Opens the database file at path, creating nothing, for reading and
// writing or as access says (ProjectAccess.h: read under the engine's
// locks, or frozen), on a connection that runs nothing the file carries:
// the file's triggers and views are off (the connection's own temporary
// ones still run), its schema may call only functions without side
// effects, and no statement may corrupt the file (the engine's defensive
// mode). The engine's result; *db is to be closed whatever it is.
int OpenDatabaseFile(const std::string& path, sqlite3** db, ProjectAccess access = ProjectAccess::Write);

// Folds the log beside the database at path, which the caller holds
// exclusively, into it. True when the file alone now holds everything (also
// when there was no log, or the file is no database, so the log is no part
// of it); false with errno set when the log could not be folded whole: EBUSY
// while a reader of another process keeps an older snapshot, ENOSPC when the
// disk is full, EACCES when the file may not be written, or what
// LogNamesClear gives for a journal name taken by anything but a journal
// file. The log must then stay.
bool FoldDatabaseLog(const std::string& path);

// Whether what lies beside the database at path may hold changes the file
// lacks: a log with content, or a rollback journal whose header is live
// (one a writer killed part-way left, which the engine rolls back).
bool LogHoldsChanges(const std::string& path);

// Removes the journal files (-journal, -wal, -shm) beside the database at
// path: only once nothing of them is part of a file, when the file goes or
// before a new one comes, and only where the caller holds the file
// exclusively or nothing is at path. False with errno set, and nothing
// removed, when a journal name is taken by anything but a journal file
// (LogNamesClear): a database or a held file there is never removed.
bool RemoveDatabaseJournals(const std::string& path);

// The C library's error for an engine result code, so that a failure of
// the engine is reported as the system would report it.
int ErrnoOfEngineResult(int rc);
