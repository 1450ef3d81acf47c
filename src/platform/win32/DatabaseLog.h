// The log a database file may have beside it (-wal, or a -journal left by a
// killed writer) holds part of what the file is: before the file is replaced
// or its log removed, the log is folded back into it.
#pragma once
#include <string>

// The name under which the engine opens the file at path: never read as a
// URI, even by an engine built with URIs on, since a name that begins with
// "/" or "./" is always a file's.
std::string EngineFileName(const std::string& path);

// Folds the log beside the database at path into it, when there is one and
// the file is a database; anything else is left as it is.
void FoldDatabaseLog(const std::string& path);
