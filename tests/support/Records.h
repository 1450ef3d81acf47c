// Every record class with a table, as one type list, and helpers that fill
// and compare records through their column maps.
#pragma once
#include <string>
#include <tuple>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDDataBase.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"

using RecordTypes =
    std::tuple<CTaDBTps, CTaDBTestGroup, CTaDBTestPoint, CTaDBEntry, CTaDBTestGroupEntry, CTaDBTestActionEntry,
               CTaDBEdition, CTaDBActionConnect, CTaDBActionDisconnect, CTaDBActionReset, CTaDBActionRead,
               CTaDBActionSetup, CTaDBFormula, CTaDBInstrument, CTaDBMessageHint, CTaDBParameter, CTaDBSignal,
               CTaDBMeasurement, CTaDBOutcome, CTaDBTestResult, CTaDBActionCompare, CTaDBTestMeasurement,
               CTaDBTestReplay>;

// Calls f(R{}) for each record class R of the list.
template <class F>
void ForEachRecordType(F&& f) {
    std::apply([&](auto... records) { (f(records), ...); }, RecordTypes{});
}

// Sets every mapped member to a value derived from seed and its column.
template <class R>
void FillRecord(R& record, int seed) {
    int i = 0;
    for (const Column<R>& column : ColumnMapOf<R>().columns) {
        ++i;
        switch (column.Type()) {
            case ColumnType::Text:
                record.*column.TextMember() = CString(column.Name()) + "-" + std::to_string(seed).c_str();
                break;
            case ColumnType::Long: record.*column.LongMember() = seed * 100 + i; break;
            case ColumnType::Date: record.*column.DateMember() = COleDateTime(40000.0 + seed + i / 100.0); break;
        }
    }
}

// The value of a mapped member as text, for comparisons and messages.
template <class R>
std::string ColumnText(const R& record, const Column<R>& column) {
    switch (column.Type()) {
        case ColumnType::Text: return (record.*column.TextMember()).GetString();
        case ColumnType::Long: return std::to_string(record.*column.LongMember());
        case ColumnType::Date: return std::to_string((record.*column.DateMember()).m_dt);
    }
    return "";
}
