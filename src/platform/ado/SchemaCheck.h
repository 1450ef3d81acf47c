// What a project file may hold, judged from what SQLite parsed of its
// schema (internal to the database layer), never from the schema's text.
//
// A project holds tables and indexes, as the template does. Anything else
// in a file made elsewhere could run whole statements inside the store's
// operations (a trigger), or stand in for a table with a query or module of
// any cost (a view, a virtual table). A table the store reads or writes
// holds besides nothing that evaluates expressions on a read or write (a
// CHECK constraint, a generated column, a default expression, an index on
// an expression or with a WHERE clause) or changes what a write does (a
// conflict clause: REPLACE deletes rows the write did not name, IGNORE
// drops the write and still succeeds). Every table of the template's is
// shaped as the template's besides: its columns with their declared types
// and collations, its key, its indexes, no column named like the row id, a
// table with row ids (SchemaShape.h). The template's shape is read from the
// template's SQL as compiled into the library (TemplateSchema.h), not from
// the template file beside it: one source makes both, and a project is
// judged alike wherever it is opened.
//
// A host's own table, which the store never reads or writes, may hold all
// that SQLite accepts: only the host's own writes run it. The library's
// connections trust no schema (SQLITE_DBCONFIG_TRUSTED_SCHEMA off), so a
// write through one that would run a function of the schema's not marked
// innocuous (json() in SQLite 3.40, load_extension()) is refused by SQLite
// itself. A host table is judged as one the store writes where the
// store's writes could reach it: linked by foreign keys to a table of the
// template's, directly or through other host tables (a delete acts on the
// rows that refer to it and a write looks up the row it refers to, where a
// host turns foreign keys on). Indexes of a host table run only in writes
// to it; a host's condition reads one only where its own text names it,
// within the condition's limits (a generated column is then computed).
//
// How each is known:
// - The kinds: each schema row's type is "table" or "index", byte for byte
//   as SQLite writes it (a row typed "TABLE" or "Trigger" is refused, whatever
//   SQLite would make of it). Each table row names a table SQLite parsed
//   (sqlite3_table_column_metadata, which finds no view), each index row an
//   index of one (index_list); no two rows of a kind share a name, a row
//   with SQL makes an index only by CREATE INDEX, and every index but a
//   table's own b-tree has its row. As SQLite makes one object of each
//   row, no row is left to make a trigger or a view. No two rows name one
//   b-tree (their root pages): a write through one would change what
//   another reads. No table of SQLite's own (sqlite_*) has an index, which
//   SQLite's own writes would not keep.
// - A virtual table: SQLite lists its columns only through its module. The
//   connection checked has none (Connection::RequireProjectShape), so the
//   module runs no code and the listing fails.
// - Generated columns and index columns: table_xinfo and index_xinfo.
// - Conflict clauses, CHECK constraints and default expressions: the
//   programs SQLite compiles for inserts (WriteProgram.h).
// - Statistics: sqlite_stat1 holds only the numbers SQLite's ANALYZE
//   writes. What numbers it holds changes no plan of the store's (PlanPins.h).
// SQLite reads no CHECK constraint of a file it opened read-only, so such a
// file passes with one; nothing can write through that connection either.
//
// A row of the template's own texts (type, name, table and SQL byte for
// byte) is what SQLite makes of the template's SQL, since SQLite parses a
// schema from those texts alone. A table of the template's all of whose
// rows are so, and which no other row names (an index on it, a row named
// like it, as SQLite compares names), has the template's shape: only where
// its rows lie is judged, whatever other rows stand beside, which keeps
// Open of an ordinary project cheap, and of one with host tables too.
// Every other row and table is judged.
//
// Every step is linear in the size of the schema: one pass over its rows,
// lookups by name in hash maps, one listing of each table's columns,
// indexes (kept in a few bytes a key column) and foreign keys, a walk of
// the links these make, and a few compiled programs per table the store
// reads or writes, each held to a multiple of the table's insert with OR
// ABORT, which is linear in them, and to a budget in proportion to the
// memory of the schema SQLite loaded (WriteProgram.h): judging takes a few
// times the time and memory of SQLite's own load of the schema, whatever
// it holds.
#pragma once
#include <string>
#include <unordered_map>

struct sqlite3;

namespace ado {

class TemplateShape;

// The refusal of the main schema of db: kOnlyDataText or kShapeText
// (Connection.h) and the first item that does not belong, as
// `trigger "Wipe"`; "" when it holds what a project may hold, indexNames
// then given the name of the file's index for each of the template's (by
// NameKey). Raises ComError when the schema cannot be read.
std::string ProjectSchemaFault(sqlite3* db, const TemplateShape& shape,
                               std::unordered_map<std::string, std::string>& indexNames);

}  // namespace ado
