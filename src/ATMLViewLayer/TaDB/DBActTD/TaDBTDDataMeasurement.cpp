// MeasurementTable: the measurements of the project. A measurement is read
// and deleted by its name, but updated and renamed by its key.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Measurement(CTaDBMeasurement& record, int mode) {
    return AddRow(record, mode, "Select * From MeasurementTable", "Select * From MeasurementTable Where MEAS_UUID='%s'",
                  {m_nEditionMeasurementTable, "CTaDBTDDataSingle::AddItem_Measurement()"});
}

RESULTSTATE CTaDBTDDataSingle::GetItem_Measurement(CTaDBMeasurement& record, int mode, CString name) {
    return GetRow(record, mode, "Select * From MeasurementTable Where MEAS_NAME='%s'", name,
                  {m_nEditionMeasurementTable, "CTaDBTDDataSingle::GetItem_Measurement()"});
}

RESULTSTATE CTaDBTDDataSingle::DelItem_Measurement(CString name) {
    return DeleteRow(
        GatedSql(m_nEditionMeasurementTable, "Select * From MeasurementTable Where MEAS_NAME='%s'", name),
        "CTaDBTDDataSingle::DelItem_Measurement()");
}

RESULTSTATE CTaDBTDDataSingle::RenameItem_Measurement(CString key, CString name) {
    return RunStatement(GatedSql(m_nEditionMeasurementTable,
                                 "Update MeasurementTable Set MEAS_NAME='%s' Where MEAS_UUID='%s'", name, key),
                        "CTaDBTDDataSingle::RenameItem_Measurement()", true);
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_Measurement(CObList& list) {
    return ListRows<CTaDBMeasurement>(
        list, "CTaDBMeasurement", SqlText("Select * From MeasurementTable"),
        "CTaDBTDDataSingle::GetAllItem_Measurement()",
        [this](CTaDBMeasurement& record) { return GetItem_Measurement(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItemBySQL_Measurement(CObList& list, const char* condition) {
    return ListWhere<CTaDBMeasurement>(
        list, "CTaDBMeasurement", "Select * From MeasurementTable where %s", condition,
        "CTaDBTDDataSingle::GetItemBySQL_Measurement()",
        [this](CTaDBMeasurement& record) { return GetItem_Measurement(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Measurement() {
    return RunStatement(GatedSql(m_nEditionTestGroupTable, "Update MeasurementTable Set MEAS_ATML_ID='%s'", ""),
                        "CTaDBTDDataSingle::Clear_AtmlId_MeasurementTable()", false);
}
