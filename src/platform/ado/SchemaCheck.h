// What of a database's schema the engine would run as SQL of the file's
// own (internal to the database layer). A project holds data only: tables
// and indexes on their columns. Anything else in a file made elsewhere
// could run whole statements inside the store's operations (a trigger),
// stand in for a table with a query of any cost (a view, a virtual table),
// evaluate expressions on every read or write (a CHECK constraint, a
// default or generated value computed by an expression, an index on an
// expression or with a WHERE clause) or delete rows that a write did not
// name (ON CONFLICT REPLACE).
#pragma once
#include <string>

struct sqlite3;

namespace ado {

// The first such item of the main schema of db, as `trigger "Wipe"`; empty
// when it holds data only. Raises ComError when the schema cannot be read.
std::string SchemaThatRuns(sqlite3* db);

}  // namespace ado
