#include "ATMLViewLayer/TaDB/DBEntity/TaDBEntry.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordDefaults.h"

CTaDBEntry::CTaDBEntry() {
    m_nSequence = 0;
    m_strTestType = "测试项目";
    SetReserveDefaults(*this);
}

CTaDBEntry::~CTaDBEntry() = default;

template <>
const ColumnMap<CTaDBEntry>& ColumnMapOf<CTaDBEntry>() {
    using R = CTaDBEntry;
    static const ColumnMap<R> map{"EntryTable", "TEST_UUID",
                                  Columns<R>({{{"TEST_UUID", &R::m_strTestUuid},
                                               {"SEQUENCE", &R::m_nSequence},
                                               {"TEST_TYPE", &R::m_strTestType}},
                                              ReserveColumns<R>()})};
    return map;
}
