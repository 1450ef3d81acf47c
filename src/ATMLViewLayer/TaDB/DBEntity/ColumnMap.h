// The column map of a record class: its table, its key column, and each
// column's name, type and member, in the table's column order. The store's
// row reader and writer walk it; a record's content assignment copies every
// mapped member but the key. Each record class defines its map beside the
// class, as the specialisation of ColumnMapOf.
#pragma once
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CString.h"

enum class ColumnType { Text, Long, Date };

template <class R>
class Column {
public:
    Column(const char* name, CString R::*member) : m_name(name), m_type(ColumnType::Text), m_text(member) {}
    Column(const char* name, long R::*member) : m_name(name), m_type(ColumnType::Long), m_long(member) {}
    Column(const char* name, COleDateTime R::*member) : m_name(name), m_type(ColumnType::Date), m_date(member) {}

    const char* Name() const { return m_name.data(); }
    // The name with its length, for finding the column by its text.
    std::string_view NameText() const { return m_name; }
    ColumnType Type() const { return m_type; }
    CString R::*TextMember() const { return m_text; }
    long R::*LongMember() const { return m_long; }
    COleDateTime R::*DateMember() const { return m_date; }

    // Copies this column's member from one record to another.
    void Copy(R& to, const R& from) const {
        switch (m_type) {
            case ColumnType::Text: to.*m_text = from.*m_text; break;
            case ColumnType::Long: to.*m_long = from.*m_long; break;
            case ColumnType::Date: to.*m_date = from.*m_date; break;
        }
    }

private:
    std::string_view m_name;
    ColumnType m_type;
    CString R::*m_text = nullptr;
    long R::*m_long = nullptr;
    COleDateTime R::*m_date = nullptr;
};

template <class R>
struct ColumnMap {
    const char* table;
    const char* key;
    std::vector<Column<R>> columns;
};

// Defined beside each record class that has a table.
template <class R>
const ColumnMap<R>& ColumnMapOf();

// Copies every mapped member but the key: the content assignment of the
// identifier-keyed records, which keep their own key and error state.
template <class R>
void AssignContent(R& to, const R& from) {
    const ColumnMap<R>& map = ColumnMapOf<R>();
    for (const Column<R>& column : map.columns)
        if (std::strcmp(column.Name(), map.key) != 0) column.Copy(to, from);
}

// Runs of columns that many tables share, joined into a map by Columns().
template <class R>
std::vector<Column<R>> ActionHeadColumns() {
    return {{"ACTION_UUID", &R::m_strActionUuid},           {"ACTION_NAME", &R::m_strActionName},
            {"ACTION_ATML_ID", &R::m_strActionAtmlId},      {"ACTION_DESCRIPTION", &R::m_strActionDescription},
            {"ACTION_SLEEP_PRE", &R::m_nActionSleepPre},    {"ACTION_SLEEP_POST", &R::m_nActionSleepPost}};
}

template <class R>
std::vector<Column<R>> ReserveColumns() {
    return {{"RESERVER1", &R::m_nReserver1},
            {"RESERVER2", &R::m_strReserver2},
            {"RESERVER3", &R::m_strReserver3},
            {"RESERVER4", &R::m_strReserver4}};
}

template <class R>
std::vector<Column<R>> AuditColumns() {
    return {{"CREATE_DATE", &R::m_dtCreateDate},
            {"MODIFY_DATE", &R::m_dtModifyDate},
            {"CREATE_PERSON", &R::m_strCreatePerson},
            {"MODIFY_PERSON", &R::m_strModifyPerson}};
}

template <class R>
std::vector<Column<R>> Columns(std::initializer_list<std::vector<Column<R>>> runs) {
    std::vector<Column<R>> all;
    for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
    return all;
}
