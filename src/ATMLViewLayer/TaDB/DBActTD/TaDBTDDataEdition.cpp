// The per-table editions, read from EditionTable when a project is opened
// or created.
#include "ATMLViewLayer/TaDB/DBActTD/TableProtocol.h"

#define RURI_EDITION(name) {#name, &CTaDBTDDataSingle::m_nEdition##name}

const CTaDBTDDataSingle::EditionName CTaDBTDDataSingle::kEditionNames[20] = {
    RURI_EDITION(EntryTable),          RURI_EDITION(TestGroupTable),        RURI_EDITION(TestGroupEntryTable),
    RURI_EDITION(TestPointTable),      RURI_EDITION(ActionConnectTable),    RURI_EDITION(ActionDisconnectTable),
    RURI_EDITION(ActionResetTable),    RURI_EDITION(ActionReadTable),       RURI_EDITION(ActionSetupTable),
    RURI_EDITION(FormulaTable),        RURI_EDITION(InstrumentTable),       RURI_EDITION(MessageHintTable),
    RURI_EDITION(ParameterTable),      RURI_EDITION(MeasurementTable),      RURI_EDITION(SignalTable),
    RURI_EDITION(TestActionEntryTable), RURI_EDITION(TpsTable),             RURI_EDITION(OutcomeTable),
    RURI_EDITION(TestResultTable),     RURI_EDITION(ActionCompareTable),
};

#undef RURI_EDITION

void CTaDBTDDataSingle::ResetEditions() {
    for (const EditionName& name : kEditionNames) this->*name.member = 0;
}

RESULTSTATE CTaDBTDDataSingle::SetEditionInfo() {
    ResetEditions();
    CObList list;
    if (GetAllItem_EditionTable(list) == -1) {
        ClearObjectList(list, "CTaDBEdition");
        return -1;
    }
    // Names compare exactly; of several rows for one table the last wins.
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const CTaDBEdition* edition = static_cast<const CTaDBEdition*>(list.GetNext(pos));
        for (const EditionName& name : kEditionNames) {
            if (edition->m_strTable == name.table) {
                this->*name.member = static_cast<int>(edition->m_nEdition);
                break;
            }
        }
    }
    ClearObjectList(list, "CTaDBEdition");
    return 1;
}

RESULTSTATE CTaDBTDDataSingle::GetAllItem_EditionTable(CObList& list) {
    return ListRows<CTaDBEdition>(list, "CTaDBEdition", SqlText("Select * From EditionTable"),
                                  "CTaDBTDDataSingle::GetAllItem_EditionTable()",
                                  [this](CTaDBEdition& record) { return GetItem_EditionTable(record, 0, ""); });
}

RESULTSTATE CTaDBTDDataSingle::GetItem_EditionTable(CTaDBEdition& record, int mode, CString table) {
    return GetRow(record, mode, "Select * From EditionTable Where TABLE='%s'", table,
                  {kEditionGate, "CTaDBTDDataSingle::GetItem_EditionTable()"});
}
