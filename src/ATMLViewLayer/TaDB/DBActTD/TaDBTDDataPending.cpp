// Operations of the store that this library does not offer yet. Each one
// fails loudly: -1 with code 5 ("不支持该功能") and a trace line naming it.
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

RESULTSTATE CTaDBTDDataSingle::ClearATMLID(CString&) { return NotBuilt("CTaDBTDDataSingle::ClearATMLID()"); }
RESULTSTATE CTaDBTDDataSingle::GetTpsUutInfo(CTaDBTps&) { return NotBuilt("CTaDBTDDataSingle::GetTpsUutInfo()"); }
RESULTSTATE CTaDBTDDataSingle::SetTpsUutInfo(CTaDBTps&) { return NotBuilt("CTaDBTDDataSingle::SetTpsUutInfo()"); }
RESULTSTATE CTaDBTDDataSingle::GetTestItemName(CString, CString, CString&) { return NotBuilt("CTaDBTDDataSingle::GetTestItemName()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_Measurement(CTaDBMeasurement&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Measurement(CTaDBMeasurement&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Measurement(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Measurement(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Measurement(CObList&) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetItemBySQL_Measurement(CObList&, const char*) { return NotBuilt("CTaDBTDDataSingle::GetItemBySQL_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Measurement() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Measurement()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_Outcome(CTaDBOutcome&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome(CTaDBOutcome&, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome(CTaDBOutcome&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_Outcome_AMTLID(CTaDBOutcome&, const CString&, const CString&) { return NotBuilt("CTaDBTDDataSingle::GetItem_Outcome_AMTLID()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_Outcome(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_Outcome(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_Outcome(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_Outcome() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_Outcome()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_TestResult(CTaDBTestResult&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult(CTaDBTestResult&, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult(CTaDBTestResult&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_TestResult_ATMLID(CTaDBTestResult&, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_TestResult_ATMLID()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_TestResult(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_TestResult(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestResult(CObList&) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_TestResult() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_TestResult()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_ActionCompare(CTaDBActionCompare&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_ActionCompare(CTaDBActionCompare&, int, CString) { return NotBuilt("CTaDBTDDataSingle::GetItem_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::DelItem_ActionCompare(CString) { return NotBuilt("CTaDBTDDataSingle::DelItem_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::RenameItem_ActionCompare(CString, CString) { return NotBuilt("CTaDBTDDataSingle::RenameItem_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_ActionCompare(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::Clear_AtmlId_ActionCompare() { return NotBuilt("CTaDBTDDataSingle::Clear_AtmlId_ActionCompare()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_TestMeasurement(CTaDBTestMeasurement&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_TestMeasurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_TestMeasurement(CTaDBTestMeasurement&) { return NotBuilt("CTaDBTDDataSingle::GetItem_TestMeasurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestMeasurement(CObList&, CString) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_TestMeasurement()"); }
RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestMeasurement() { return NotBuilt("CTaDBTDDataSingle::DelAllItem_TestMeasurement()"); }
RESULTSTATE CTaDBTDDataSingle::GetItemBySQL_TestMeasurement(CObList&, const char*) { return NotBuilt("CTaDBTDDataSingle::GetItemBySQL_TestMeasurement()"); }
RESULTSTATE CTaDBTDDataSingle::AddItem_TestReplay(CTaDBTestReplay&, int) { return NotBuilt("CTaDBTDDataSingle::AddItem_TestReplay()"); }
RESULTSTATE CTaDBTDDataSingle::GetItem_TestReplay(CTaDBTestReplay&) { return NotBuilt("CTaDBTDDataSingle::GetItem_TestReplay()"); }
RESULTSTATE CTaDBTDDataSingle::GetAllItem_TestReplay(CObList&) { return NotBuilt("CTaDBTDDataSingle::GetAllItem_TestReplay()"); }
RESULTSTATE CTaDBTDDataSingle::DelAllItem_TestReplay() { return NotBuilt("CTaDBTDDataSingle::DelAllItem_TestReplay()"); }
