// The work the engine may do for one run on a connection (internal to the
// database layer). A file can make a read of it endless while staying
// small: a b-tree whose interior pages all lead to one child is read once
// for every path through it, exponentially many. So every run of the
// library's own (a statement's, from its first step to its end; a
// preparation, which may read the schema; Open's judging of the file) is
// held to a budget, and stopped once past it: the engine then rolls the
// statement back (a write, with the transaction it is part of). A run
// spends the engine's instructions, counted by one progress handler per
// connection, and the bytes of the texts and blobs its statement hands
// back: the engine reads a value's overflow pages within one instruction,
// so a row costs about as many instructions whatever its length.
//
// The budget is a base and a multiple of the bytes the database stores,
// its file and its log: the extents that hold data, not the file's
// apparent length, which a hole makes as large as anyone likes. No
// statement of the store spends more than about one instruction for each
// byte of the rows it reads, or hands back more bytes than it reads, so a
// real project never meets it, while a looped b-tree of a small file stops
// in a fraction of a second. The bytes are measured only once a run passes
// the budget as last measured, since a run may grow the database it
// writes. A count of a table's rows alone (SELECT count(*) FROM T) is one
// instruction that no budget stops: the library runs none.
//
// A host's condition is held to a time limit instead of the instructions
// (Statement::LimitRuns), counted by the same handler and, for one that
// counts, by an interrupt from another thread (DeadlineWatch.h), and to the
// budget in the bytes it hands back. A host's own statement through the
// connection manager runs as the engine runs it: a run of no bound.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>

#include "platform/ado/ComError.h"

struct sqlite3;

namespace fileshare {
class Hold;
}

namespace ado {

// The budget of one run, in instructions of the engine's virtual machine.
constexpr int64_t kBudgetBaseInstructions = 1'000'000;
constexpr int64_t kBudgetInstructionsPerByte = 8;

class RunBudget {
public:
    enum class Stop { None, Budget, Deadline };
    // What a run has spent (instructions and bytes handed back; a timed run
    // the bytes alone), its deadline when its time is limited, what stopped
    // it, and whether the budget bounds it (a host's own statement's not).
    struct Run {
        int64_t spent = 0;
        bool timed = false;
        std::chrono::steady_clock::time_point deadline;
        Stop stop = Stop::None;
        bool bounded = true;
    };

    RunBudget() = default;
    RunBudget(const RunBudget&) = delete;
    RunBudget& operator=(const RunBudget&) = delete;

    // Counts the engine's work on db from now on; path is the file as the
    // caller named it, for the refusal, and file its hold, whose descriptor
    // tells the bytes the file stores (none without one).
    void Attach(sqlite3* db, const std::string& path, const fileshare::Hold* file = nullptr);

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

    // Counts bytes that run hands back to its caller.
    static void HandBack(Run& run, int64_t bytes) { run.spent += bytes; }
    // Whether run has passed the budget (it is then stopped there).
    bool Passed(Run& run) {
        if (run.bounded && run.stop == Stop::None && run.spent > m_limit && run.spent > Measure())
            run.stop = Stop::Budget;
        return run.stop == Stop::Budget;
    }

    // A run of its own for the work done while it stands; none without a
    // budget. One not bounded is a host's, which the budget never stops.
    class Scope {
    public:
        explicit Scope(RunBudget* budget, bool bounded = true)
            : m_budget(budget), m_run(RunOf(bounded)), m_outer(budget ? budget->Enter(m_run) : nullptr) {}
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
        static Run RunOf(bool bounded) {
            Run run;
            run.bounded = bounded;
            return run;
        }
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
    const fileshare::Hold* m_file = nullptr;
    int64_t m_limit = kBudgetBaseInstructions;  // the budget as last measured
    Run m_loose;
    Run* m_current = &m_loose;
};

}  // namespace ado
