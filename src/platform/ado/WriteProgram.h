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
// schema, and a table takes a dozen programs at most, each held to a small
// multiple of its "INSERT OR ABORT" program, which is linear in its columns
// and keys. REPLACE code, which deletes the row from every index and so
// grows with their square, is never compiled past that bound: a plain
// insert that would outgrow it has REPLACE code.
#pragma once
#include <string>
#include <vector>

#include "platform/ado/SchemaShape.h"

struct sqlite3;

namespace ado {

// The first of these rules that table (of these columns, none generated,
// and these indexes, in index_list's order, each on plain columns) has:
// "ON CONFLICT REPLACE" (or IGNORE, ROLLBACK, FAIL) when all its clauses
// are of one kind, or REPLACE code alone makes its insert outgrow its
// bound; of several kinds, the first constraint's, as `ON CONFLICT IGNORE
// on column "A"` ("a conflict clause" where its kind or column cannot be
// told); of a table of many keys, the clause of a key on a column of its
// last index (or "keys that share their columns too widely to be judged",
// where every such column is on very many keys); "a CHECK constraint", "a
// default expression"; empty when it has none. Raises ComError when no
// insert into it compiles. Leaves CHECK constraints checked on db.
std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                       const std::vector<IndexShape>& indexes);

}  // namespace ado
