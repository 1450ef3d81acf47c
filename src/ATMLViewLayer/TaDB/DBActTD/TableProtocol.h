// The protocol every table operation of the store follows, written once:
// add (mode 1 appends, any other mode rewrites the row with the record's
// key), get (mode 0 reads the open list's current row and moves on, any
// other mode reads by key), and list (release the list, then read row after
// row through the table's own get). Each table operation states only its
// statements, its edition and its position.
#pragma once
#include <memory>

#include "ATMLViewLayer/TaDB/DBActTD/RowIO.h"
#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"
#include "ATMLViewLayer/TaDB/DBActTD/StoreMessages.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "platform/ado/SqlTokens.h"

template <class Body>
RESULTSTATE CTaDBTDDataSingle::Answered(const char* position, Body&& body) noexcept {
    return RunAnswering(*this, std::forward<Body>(body),
                        [&](const Thrown& thrown) noexcept { return Caught(thrown.message, position); });
}

template <class R>
RESULTSTATE CTaDBTDDataSingle::AddRow(R& record, int mode, const char* insertSql, const char* keyPattern,
                                      Gate gate) {
    return Answered(gate.position, [&] {
        const bool insert = mode == 1;
        const ado::Command sql = insert ? SqlText(insertSql) : GatedSql(gate.edition, keyPattern, KeyOf(record));
        const int result = m_dbMng.QueryDataInDB(sql);
        if (result != 1) return PassOn(result, gate.position);
        // Below the edition nothing is written: not even an empty row.
        if (insert && gate.edition < kEditionGate) {
            m_dbMng.CloseRecordset();
            return OwnFailure(-1, kMsgEditionTooLow, gate.position);
        }
        ado::RecordsetPtr recordset = m_dbMng.GetRecordset();
        if (insert) recordset->AddNew();
        else if (recordset->IsEOF()) return OwnFailure(-1, kMsgNotFound, gate.position);
        WriteRow(*recordset, record);
        recordset->Update();
        m_dbMng.CloseRecordset();
        m_bModified = 1;
        return 1;
    });
}

template <class R>
RESULTSTATE CTaDBTDDataSingle::GetRow(R& record, int mode, const char* keyPattern, const CString& key, Gate gate) {
    return GetRow(record, mode, mode != 0 ? GatedSql(gate.edition, keyPattern, key) : ado::Command(), gate);
}

template <class R>
RESULTSTATE CTaDBTDDataSingle::GetRow(R& record, int mode, const ado::Command& sql, Gate gate) {
    return Answered(gate.position, [&] {
        ado::RecordsetPtr recordset;
        if (mode != 0) {
            const int result = m_dbMng.QueryDataInDB(sql);
            if (result != 1) return PassOn(result, gate.position);
            recordset = m_dbMng.GetRecordset();
            if (recordset->IsEOF()) {
                m_dbMng.CloseRecordset();
                return OwnFailure(0, kMsgNotFound, gate.position);
            }
        } else {
            recordset = m_dbMng.GetRecordset();
            if (!m_dbMng.m_bRecordsetOpen || !recordset) return OwnFailure(-1, kMsgNoOpenList, gate.position);
            if (recordset->IsEOF()) return 0;
        }
        // Below the edition no row is read, so none is made up from defaults.
        if (gate.edition < kEditionGate) {
            m_dbMng.CloseRecordset();
            return OwnFailure(-1, kMsgEditionTooLow, gate.position);
        }
        ReadRow(*recordset, record);
        if (mode != 0) m_dbMng.CloseRecordset();
        else recordset->MoveNext();
        return 1;
    });
}

template <class R, class ReadNext>
RESULTSTATE CTaDBTDDataSingle::ListRows(CObList& list, const char* className, const ado::Command& sql,
                                        const char* position, ReadNext readNext, bool keepListIfRefused) {
    return Answered(position, [&] {
        if (!keepListIfRefused) ClearObjectList(list, className);
        int result = m_dbMng.QueryDataInDB(sql);
        if (result != 1) return PassOn(result, position);
        if (keepListIfRefused) ClearObjectList(list, className);
        if (m_dbMng.GetRecordset()->IsEOF()) {
            m_dbMng.CloseRecordset();
            return 1;
        }
        FreshRecords<R> fresh;
        std::unique_ptr<R> record = fresh.Make();
        while ((result = readNext(*record)) == 1) {
            // The list owns the record once it holds it.
            list.AddTail(record.get());
            record.release();
            record = fresh.Make();
        }
        return result == 0 ? 1 : -1;
    });
}

template <class R, class ReadNext>
RESULTSTATE CTaDBTDDataSingle::ListWhere(CObList& list, const char* className, const char* pattern,
                                         const char* condition, const char* position, ReadNext readNext) {
    bool blank = true;
    for (const char* c = condition; c && *c && blank; ++c) blank = ado::IsSqlBlank(*c);
    if (blank) return OwnFailure(-1, kMsgNoCondition, position);
    return ListRows<R>(list, className, ConditionSql(pattern, condition), position, readNext, true);
}
