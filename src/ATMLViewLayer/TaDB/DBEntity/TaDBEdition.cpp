#include "ATMLViewLayer/TaDB/DBEntity/TaDBEdition.h"

#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
CTaDBEdition::CTaDBEdition() { m_nEdition = 0; }

CTaDBEdition::~CTaDBEdition() = default;

template <>
const ColumnMap<CTaDBEdition>& ColumnMapOf<CTaDBEdition>() {
    using R = CTaDBEdition;
    static const ColumnMap<R> map{"EditionTable", "TABLE",
                                  {{"TABLE", &R::m_strTable},
                                   {"EDITION", &R::m_nEdition},
                                   {"RESERVER1", &R::m_strReserver1},
                                   {"RESERVER2", &R::m_strReserver2},
                                   {"RESERVER3", &R::m_strReserver3},
                                   {"RESERVER4", &R::m_strReserver4}}};
    return map;
}
