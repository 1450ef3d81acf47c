// The log a database file may have beside it (-wal, or a -journal left by a
// killed writer) holds part of what the file is: before the file is replaced
// or its log removed, the log is folded back into it.
#pragma once
#include <string>

// Folds the log beside the database at path into it, when there is one and
// the file is a database; anything else is left as it is.
void FoldDatabaseLog(const std::string& path);
