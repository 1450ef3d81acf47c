// What one ordered table (entries, the steps of each test group, the steps
// of each test point) gives the sequence operations: its statements, the
// positions its failures write, its refusal texts, and the operations of
// its family that the sequence operations call through the interface.
#pragma once
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

struct CTaDBTDDataSingle::OrderedList {
    int CTaDBTDDataSingle::*edition;
    // Whether the table holds one list per parent, named by a scope argument
    // that ends every statement. The entry table is one list, and counts its
    // rows whatever its edition.
    bool scoped;

    // Statements. Each takes the positions named, then the scope, if the
    // table has one; a step is named by its key.
    const char* count;      // "... as X_NUM, MAX(SEQUENCE) as X_MAX ..."
    const char* countName;  // the count's column
    const char* maxName;    // the highest position's column
    const char* shiftUp;    // from, to: the rows in [to, from) move one place down the list
    const char* shiftDown;  // from, to: the rows in (from, to] move one place up the list
    const char* setAt;      // position, step key
    const char* deleteAt;   // position
    const char* closeGap;   // position: the rows above it move one place up
    // Deleting an item by key: all the steps of a scope the key names (none
    // for the entry table), one step by its key, and the gap that step left.
    const char* deleteScope;
    const char* deleteStep;
    const char* closeStepGap;  // position of the deleted step, then its scope

    // Positions written by failures.
    const char* countPosition;
    const char* refusePosition;    // a renumbering refused
    const char* shiftPosition;     // its shift failed
    const char* lastStepPosition;  // its last step failed
    const char* movePosition;      // moves, exchanges and deletes

    // Refusals of a move: up, down, to the top, to the bottom.
    const char* refuseMove[4];

    // A step that a look-up found: its key, its scope and its position.
    struct Found {
        CString step;
        CString scope;
        long position = 0;
    };

    // The family's operations, called through the interface.
    RESULTSTATE (*newSequence)(CTaDBTDDataSingle& store, const CString& scope, long& next);
    RESULTSTATE (*stepAt)(CTaDBTDDataSingle& store, const CString& scope, long position, CString& stepKey);
    RESULTSTATE (*swop)(CTaDBTDDataSingle& store, const CString& scope, long first, long second);
    RESULTSTATE (*firstOfScope)(CTaDBTDDataSingle& store, const CString& key, Found& found);  // may be null
    RESULTSTATE (*firstOfItem)(CTaDBTDDataSingle& store, const CString& key, Found& found);
};

// Spans one change of an ordered list. The outermost change commits when it
// finishes with 1 and undoes everything otherwise (an exception passing
// included); a change begun inside another joins it and undoes only its own
// part. A change whose write transaction cannot begin (another writer kept
// it past the busy timeout) raises the database layer's error: the
// operation runs none of its statements.
class CTaDBTDDataSingle::ListChange {
public:
    explicit ListChange(CTaDBTDDataSingle& store);
    ~ListChange();
    ListChange(const ListChange&) = delete;
    ListChange& operator=(const ListChange&) = delete;

    // Ends the change with the operation's result; raises what committing
    // raises, the change then undone.
    RESULTSTATE Finish(RESULTSTATE result);

private:
    ado::ConnectionPtr m_connection;
};

// Runs the steps of one change of a list where what they throw is
// answered: they hold whole, or are undone with all they did.
template <class Steps>
RESULTSTATE CTaDBTDDataSingle::ChangeList(const char* position, Steps&& steps) {
    return Answered(position, [&] {
        ListChange change(*this);
        return change.Finish(steps());
    });
}
