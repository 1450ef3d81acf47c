// Operations of the store that this library does not offer yet. Each one
// fails loudly: -1 with code 5 ("不支持该功能") and a trace line naming it.
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

RESULTSTATE CTaDBTDDataSingle::AddItem_Formula(CTaDBFormula&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Formula(CTaDBFormula&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Formula(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Formula(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Formula(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Formula() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Formula()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_Instrument(CTaDBInstrument&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Instrument(CTaDBInstrument&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Instrument(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Instrument(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Instrument(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Instrument() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Instrument()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_MessageHint(CTaDBMessageHint&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_MessageHint(CTaDBMessageHint&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_MessageHint(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_MessageHint(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_MessageHint(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_MessageHint() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_MessageHint()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_Parameter(CTaDBParameter&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Parameter(CTaDBParameter&, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Parameter(CTaDBParameter&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Parameter(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Parameter(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Parameter(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Parameter() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Parameter()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_Signal(CTaDBSignal&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal&, CString, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal&, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal(CTaDBSignal&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Signal_ATMLID(CTaDBSignal&, CString, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Signal_ATMLID()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Signal(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Signal(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Signal(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Signal()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Signal() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Signal()"); }
