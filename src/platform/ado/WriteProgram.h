// What a table itself makes a write into it do, beyond storing the row as
// given (internal to the database layer), judged from the programs SQLite
// compiles for inserts into it, never from the table's CREATE text. Pragmas
// do not show a conflict clause or a CHECK constraint; compiled programs
// show all of them, each where it acts:
// - a conflict clause (ON CONFLICT REPLACE, IGNORE, ROLLBACK or FAIL, on a
//   key, a UNIQUE or a NOT NULL column) when a plain insert compiles
//   otherwise than "INSERT OR ABORT", which sets every constraint to the
//   default ABORT;
// - a CHECK constraint when it compiles otherwise with the connection's
//   CHECK constraints ignored (PRAGMA ignore_check_constraints);
// - a default expression when "DEFAULT VALUES" computes more than the one
//   constant per column that an insert of NULLs loads.
// A clause that compiles to nothing different makes no difference (NOT
// NULL ON CONFLICT REPLACE without a default acts as ABORT). Only compiled,
// never run: nothing is written, no lock is taken beyond a read of the
// schema, and a table takes a dozen programs at most, each linear in its
// columns and indexes.
#pragma once
#include <string>
#include <vector>

#include "platform/ado/SchemaShape.h"

struct sqlite3;

namespace ado {

// The first of these rules that table (of these columns, none generated)
// has: "ON CONFLICT REPLACE" (or IGNORE, ROLLBACK, FAIL) when all its
// clauses are of one kind; of several kinds, the first constraint's, as
// `ON CONFLICT IGNORE on column "A"` ("a conflict clause" where its kind or
// column cannot be told); "a CHECK constraint", "a default expression";
// empty when it has none. Raises ComError when no insert into it compiles.
// Leaves CHECK constraints checked on db.
std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns);

}  // namespace ado
