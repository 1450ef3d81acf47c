// Moves a record's columns to and from the current row of a recordset by
// walking the record's column map. A NULL text reads as "", a NULL integer
// as 0, and a NULL date leaves the member as it was; a date is written as
// its double value.
#pragma once
#include <cstdint>
#include <cstring>
#include <memory>

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "platform/ado/Recordset.h"

// Makes the records a list reads its rows into: copies of one fresh record,
// made again whenever the clock's second turns (the defaults' times are read
// to the second). Each starts as a fresh record would, but the new key that
// its row replaces is made once, not for every row: the mapped texts, which
// every row replaces, are left empty in the copies.
template <class R>
class FreshRecords {
public:
    std::unique_ptr<R> Make() {
        const double now = COleDateTime::GetCurrentTime().m_dt;
        if (!m_fresh || now != m_second) {
            m_fresh = std::make_unique<R>();
            for (const Column<R>& column : ColumnMapOf<R>().columns)
                if (column.Type() == ColumnType::Text) (m_fresh.get()->*column.TextMember()).Empty();
            m_second = now;
        }
        return std::make_unique<R>(*m_fresh);
    }

private:
    std::unique_ptr<R> m_fresh;
    double m_second = 0.0;
};

// Each text goes from the engine into its member in one copy.
template <class R>
void ReadRow(ado::Recordset& recordset, R& record) {
    ado::Recordset::RowReader row = recordset.Reader();
    for (const Column<R>& column : ColumnMapOf<R>().columns) {
        const ado::VariantView field = row.View(column.NameText());
        switch (column.Type()) {
            case ColumnType::Text:
                if (field.text) record.*column.TextMember() = CString(field.text, static_cast<int>(field.size));
                else if (field.IsNull()) (record.*column.TextMember()).Empty();
                else record.*column.TextMember() = CString(field.Value().ToText());
                break;
            case ColumnType::Long:
                record.*column.LongMember() = field.type == ado::VT_I4 ? field.integer : field.Value().ToInt32();
                break;
            case ColumnType::Date:
                if (!field.IsNull())
                    record.*column.DateMember() =
                        COleDateTime(field.type == ado::VT_R8 ? field.real : field.Value().ToDouble());
                break;
        }
    }
}

template <class R>
void WriteRow(ado::Recordset& recordset, const R& record) {
    for (const Column<R>& column : ColumnMapOf<R>().columns) {
        switch (column.Type()) {
            case ColumnType::Text: recordset.PutCollect(column.NameText(), (record.*column.TextMember()).str()); break;
            case ColumnType::Long: {
                const long value = record.*column.LongMember();
                if (value < INT32_MIN || value > INT32_MAX)
                    throw ado::ComError(ado::ComError::kTypeMismatch,
                                        std::string("Value out of the range of a 32-bit integer: ") + column.Name());
                recordset.PutCollect(column.NameText(), static_cast<int32_t>(value));
                break;
            }
            case ColumnType::Date: recordset.PutCollect(column.NameText(), (record.*column.DateMember()).m_dt); break;
        }
    }
}

// The text of the record's key column.
template <class R>
const CString& KeyOf(const R& record) {
    const ColumnMap<R>& map = ColumnMapOf<R>();
    for (const Column<R>& column : map.columns)
        if (column.Type() == ColumnType::Text && std::strcmp(column.Name(), map.key) == 0)
            return record.*column.TextMember();
    throw ado::ComError(ado::ComError::kError, std::string("No key column in the map of ") + map.table);
}
