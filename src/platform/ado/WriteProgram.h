// What a table itself makes a write into it do, beyond storing the row as
// given (internal to the database layer), judged from the programs SQLite
// compiles for it, never from the table's CREATE text. Pragmas do not show
// a conflict clause or a CHECK constraint; compiled programs show all of
// them, each where it acts:
// - a conflict clause (ON CONFLICT REPLACE, IGNORE, ROLLBACK or FAIL, on a
//   key, a UNIQUE or a NOT NULL column) when a plain insert compiles
//   otherwise than "INSERT OR ABORT", which sets every constraint to the
//   default ABORT; only a table with a key, a NOT NULL column or a primary
//   key can have one;
// - a CHECK constraint when "INSERT OR ABORT" halts on one (SQLITE_CONSTRAINT_
//   CHECK), or compiles larger than with the connection's CHECK
//   constraints ignored (PRAGMA ignore_check_constraints), what it then has
//   beyond being CHECK code. It is compiled held to about the size of the
//   insert without them, as SQLite may compile a CHECK constraint to far
//   more than the table's own code. Where the insert without them outgrows
//   the budget below (indexes of very many columns), the program of
//   "PRAGMA quick_check(T)", which tests every row against them and grows
//   with the table's columns and indexes, not with their product, tells;
// - a default expression when "DEFAULT VALUES" computes more than the one
//   constant per column that an insert of NULLs loads. That insert names
//   the row id's alias (an INTEGER PRIMARY KEY), whose NULL takes a new row
//   id that it then tests is free; DEFAULT VALUES leaves the row id to
//   SQLite untested: that test is no default. SQLite never computes a
//   default of the row id's alias.
// A clause that compiles to nothing different makes no difference (NOT
// NULL ON CONFLICT REPLACE without a default acts as ABORT). Only compiled,
// never run: nothing is written, no lock is taken beyond a read of the
// schema. A table takes a dozen programs at most, each held to a small
// multiple of its "INSERT OR ABORT" program, which is linear in its columns
// and keys, and to a budget of instructions that keeps the memory of any
// one within a few times that of the schema SQLite loaded (ProgramBudget);
// a table whose programs outgrow it is refused as too large to be judged.
// REPLACE code, which deletes the row from every index and so grows with
// their square, is never compiled past that bound: a plain insert that
// would outgrow it has REPLACE code. SQLite searches the constants it has
// coded for each new one it factors out of a program, in time square in
// the constants of a CHECK constraint: constants are coded in place while
// the programs are compiled.
#pragma once
#include <string>
#include <vector>

#include "platform/ado/SchemaShape.h"

struct sqlite3;

namespace ado {

// The most instructions a program compiled to judge the tables of db may
// have: SQLite takes up to two hundred bytes for each (its array of
// instructions and their registers), and the check keeps copies compact, so
// that judging costs no more than about twice the memory of the schema
// SQLite loaded on db, and a few megabytes beside.
size_t ProgramBudget(sqlite3* db);

// The first of these rules that table (of these columns, none generated,
// and these indexes, in index_list's order, each on plain columns) has:
// "ON CONFLICT REPLACE" (or IGNORE, ROLLBACK, FAIL) when all its clauses
// are of one kind, or REPLACE code alone makes its insert outgrow its
// bound; of several kinds, the first constraint's, as `ON CONFLICT IGNORE
// on column "A"` ("a conflict clause" where its kind or column cannot be
// told); of a table of many keys, the clause of a key on a column of its
// last index (or "keys that share their columns too widely to be judged",
// where every such column is on very many keys); "a CHECK constraint", "a
// default expression"; "writes too large to be judged" when a program
// needed to tell would have more than budget instructions; empty when it
// has none. Raises ComError when no insert into it compiles. Leaves CHECK
// constraints checked on db.
std::string WriteRules(sqlite3* db, const std::string& table, const std::vector<ColumnShape>& columns,
                       const std::vector<IndexShape>& indexes, size_t budget);

}  // namespace ado
