// The plans of the library's statements, held to those the template's
// indexes give (internal to the database layer). SQLite chooses a plan by
// the statistics a file carries (sqlite_stat1, loaded with its schema): a
// file made elsewhere can tell the planner that an index sorts out nothing,
// and every look-up through it becomes a scan of the whole table. So a
// statement is planned on the template, which has no statistics, and the
// text prepared on a project names for each table it reads the project's
// index that the template's plan uses (INDEXED BY) or none (NOT INDEXED),
// its tables joined in that plan's order (CROSS JOIN): the planner is left
// no other plan, whatever the statistics say.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace ado {

// One loop of a plan: the table as the statement names it (its alias where
// it has one), and the index the loop reads by ("" for none).
struct PlanLoop {
    std::string table, index;
};

// The loops of the plan SQLite makes for sql on db, outermost first; none
// when the plan holds more than searches and scans of tables (a subquery,
// an OR of indexes) or sql does not prepare.
std::vector<PlanLoop> ReadPlan(sqlite3* db, const std::string& sql);

// sql with each table it reads pinned to the loop of plan that names it:
// INDEXED BY the index that indexes gives for the loop's (keyed by NameKey),
// or NOT INDEXED, and several tables joined in the plan's order. sql as it
// is when it is no SELECT, UPDATE or DELETE of tables listed plainly (a
// name, perhaps an alias), or plan does not name exactly its tables.
std::string PinnedText(const std::string& sql, const std::vector<PlanLoop>& plan,
                       const std::unordered_map<std::string, std::string>& indexes);

}  // namespace ado
