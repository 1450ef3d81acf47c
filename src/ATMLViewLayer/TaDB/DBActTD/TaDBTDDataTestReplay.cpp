// TestReplayTable: the replay log, listed in the order it was written (the
// database numbers the rows, ID, and never reuses a number). No edition.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_TestReplay(CTaDBTestReplay& record, int mode) {
    return AddRow(record, mode, "Select * From TestReplayTable", "Select * From TestReplayTable Where PLAY_UUID='%s'",
                  {kLogEdition, "CTaDBTDDataSingle::AddItem_TestReplay()"});
}

// Reads the current row of the list being read.
RESULTSTATE CTaDBTDDataSingle::GetItem_TestReplay(CTaDBTestReplay& record) {
    return GetRow(record, 0, ado::Command(), {kLogEdition, "CTaDBTDDataSingle::GetItem_TestReplay()"});
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestReplay(CObList& list) {
    return ListRows<CTaDBTestReplay>(list, "CTaDBTestReplay", SqlText("Select * From TestReplayTable Order By ID"),
                                     "CTaDBTDDataSingle::GetAllItem_TestReplay()",
                                     [this](CTaDBTestReplay& record) { return GetItem_TestReplay(record); });
}

// Emptying the log is not a change of the project.
RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestReplay() {
    return RunStatement(SqlText("Delete From TestReplayTable"), "CTaDBTDDataSingle::DelAllItem_TestReplay()", false);
}
