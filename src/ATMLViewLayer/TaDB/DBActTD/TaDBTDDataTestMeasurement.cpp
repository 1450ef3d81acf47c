// TestMeasurementTable: the log of measured values. The database numbers
// the rows (ID) as they are logged and never reuses a number, so the lists
// give the values back in the order they were taken. The log has no edition.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_TestMeasurement(CTaDBTestMeasurement& record, int mode) {
    return AddRow(record, mode, "Select * From TestMeasurementTable",
                  "Select * From TestMeasurementTable Where TEST_UUID='%s'",
                  {kLogEdition, "CTaDBTDDataSingle::AddItem_TestMeasurement()"});
}

// Reads the current row of the list being read.
RESULTSTATE CTaDBTDDataSingle::GetItem_TestMeasurement(CTaDBTestMeasurement& record) {
    return GetRow(record, 0, ado::Command(), {kLogEdition, "CTaDBTDDataSingle::GetItem_TestMeasurement()"});
}

// An empty name lists the whole log; any other lists that measurement's values.
RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestMeasurement(CObList& list, CString measName) {
    return ListRows<CTaDBTestMeasurement>(
        list, "CTaDBTestMeasurement",
        measName.IsEmpty() ? SqlText("Select * From TestMeasurementTable Order By ID")
                           : SqlText("Select * From TestMeasurementTable Where MEAS_NAME='%s' Order By ID", measName),
        "CTaDBTDDataSingle::GetAllItem_TestMeasurement()",
        [this](CTaDBTestMeasurement& record) { return GetItem_TestMeasurement(record); });
}

// Emptying the log is not a change of the project.
RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestMeasurement() {
    return RunStatement(SqlText("Delete From TestMeasurementTable"), "CTaDBTDDataSingle::DelAllItem_TestMeasurement()",
                        false);
}

RESULTSTATE CTaDBTDDataSingle::GetItemBySQL_TestMeasurement(CObList& list, const char* condition) {
    return ListWhere<CTaDBTestMeasurement>(
        list, "CTaDBTestMeasurement", "Select * From TestMeasurementTable where %s", condition,
        "CTaDBTDDataSingle::GetItemBySQL_TestMeasurement()",
        [this](CTaDBTestMeasurement& record) { return GetItem_TestMeasurement(record); });
}
