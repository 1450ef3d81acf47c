// The work the engine may do for one run on a connection (internal to the
// database layer). A file can make a read of it endless while staying
// small: a b-tree whose interior pages all lead to one child is read once
// for every path through it, exponentially many. So every run (a
// statement's, from its first step to its end; a preparation, which may
// read the schema; Open's judging of the file) is held to a budget of the
// engine's instructions, counted by one progress handler per connection,
// and stopped once past it: the engine then rolls the statement back (a
// write, with the transaction it is part of).
//
// The budget is a base and a multiple of the database's bytes, its file
// and its log as the engine has them open: no statement of the store spends
// more than about one instruction for each byte of the rows it reads, so a
// real project never meets it, while a looped b-tree of a small file stops
// in a fraction of a second. The bytes are measured again only once a run
// passes the budget, since a run may grow the database it writes. A count
// of a table's rows alone (SELECT count(*) FROM T) is one instruction that
// no budget stops: the library runs none.
//
// A host's condition is also held to a time limit (Statement::LimitRuns),
// counted by the same handler, and for one that counts, by an interrupt
// from another thread (DeadlineWatch.h).
#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/ado/ComError.h"

struct sqlite3;

namespace ado {

// The budget of one run, in instructions of the engine's virtual machine.
constexpr int64_t kBudgetBaseInstructions = 1'000'000;
constexpr int64_t kBudgetInstructionsPerByte = 8;

class RunBudget {
public:
    enum class Stop { None, Budget, Deadline };
    // What a run has spent, its deadline when its time is limited, and what stopped it.
    struct Run {
        int64_t spent = 0;
        bool timed = false;
        std::chrono::steady_clock::time_point deadline;
        Stop stop = Stop::None;
    };

    RunBudget() = default;
    RunBudget(const RunBudget&) = delete;
    RunBudget& operator=(const RunBudget&) = delete;

    // Counts the engine's work on db from now on; path is the file as the
    // caller named it, for the refusal.
    void Attach(sqlite3* db, const std::string& path);

    // Makes run the one the engine's work counts to, and gives the one it
    // counted to before, which Leave makes current again. Work outside any
    // run counts to one of its own, begun anew each time a run hands back.
    Run* Enter(Run& run) {
        Run* const outer = m_current;
        m_current = &run;
        return outer;
    }
    void Leave(Run* outer) {
        m_current = outer;
        if (outer == &m_loose) m_loose = Run();
    }

    // A run of its own for the work done while it stands; none without a budget.
    class Scope {
    public:
        explicit Scope(RunBudget* budget) : m_budget(budget), m_outer(budget ? budget->Enter(m_run) : nullptr) {}
        ~Scope() {
            if (m_budget) m_budget->Leave(m_outer);
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // Raises the refusal when the budget stopped the scope's work.
        void RequireWithinBudget() const {
            if (m_budget && m_run.stop == Stop::Budget) m_budget->ThrowSpent();
        }

    private:
        RunBudget* m_budget;
        Run m_run;
        Run* m_outer;
    };

    // Does work as a run of its own: work that the budget stopped raises the
    // refusal, whatever it gave or raised instead (a check that found a
    // fault in what it could not read whole).
    template <class Work>
    void Within(Work&& work) {
        const Scope scope(this);
        try {
            work();
        } catch (const ComError&) {
            scope.RequireWithinBudget();
            throw;
        }
        scope.RequireWithinBudget();
    }

    // Raises the refusal of a file whose reading passed the budget.
    [[noreturn]] void ThrowSpent() const;

private:
    static int Progress(void* self);
    int64_t Measure();

    sqlite3* m_db = nullptr;
    std::string m_path;
    int64_t m_limit = 0;  // the budget as last measured
    Run m_loose;
    Run* m_current = &m_loose;
};

}  // namespace ado
