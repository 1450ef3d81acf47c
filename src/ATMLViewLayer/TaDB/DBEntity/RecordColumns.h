// The column map of every record class that has a table. Each map is
// defined beside its class; the store's row reader and writer and the
// records' content assignment reach them through these declarations.
#pragma once
#include "ATMLViewLayer/TaDB/DBEntity/ColumnMap.h"

class CTaDBActionCompare;
class CTaDBActionConnect;
class CTaDBActionDisconnect;
class CTaDBActionRead;
class CTaDBActionReset;
class CTaDBActionSetup;
class CTaDBEdition;
class CTaDBEntry;
class CTaDBFormula;
class CTaDBInstrument;
class CTaDBMeasurement;
class CTaDBMessageHint;
class CTaDBOutcome;
class CTaDBParameter;
class CTaDBSignal;
class CTaDBTestActionEntry;
class CTaDBTestGroup;
class CTaDBTestGroupEntry;
class CTaDBTestMeasurement;
class CTaDBTestPoint;
class CTaDBTestReplay;
class CTaDBTestResult;
class CTaDBTps;

template <>
const ColumnMap<CTaDBActionCompare>& ColumnMapOf<CTaDBActionCompare>();
template <>
const ColumnMap<CTaDBActionConnect>& ColumnMapOf<CTaDBActionConnect>();
template <>
const ColumnMap<CTaDBActionDisconnect>& ColumnMapOf<CTaDBActionDisconnect>();
template <>
const ColumnMap<CTaDBActionRead>& ColumnMapOf<CTaDBActionRead>();
template <>
const ColumnMap<CTaDBActionReset>& ColumnMapOf<CTaDBActionReset>();
template <>
const ColumnMap<CTaDBActionSetup>& ColumnMapOf<CTaDBActionSetup>();
template <>
const ColumnMap<CTaDBEdition>& ColumnMapOf<CTaDBEdition>();
template <>
const ColumnMap<CTaDBEntry>& ColumnMapOf<CTaDBEntry>();
template <>
const ColumnMap<CTaDBFormula>& ColumnMapOf<CTaDBFormula>();
template <>
const ColumnMap<CTaDBInstrument>& ColumnMapOf<CTaDBInstrument>();
template <>
const ColumnMap<CTaDBMeasurement>& ColumnMapOf<CTaDBMeasurement>();
template <>
const ColumnMap<CTaDBMessageHint>& ColumnMapOf<CTaDBMessageHint>();
template <>
const ColumnMap<CTaDBOutcome>& ColumnMapOf<CTaDBOutcome>();
template <>
const ColumnMap<CTaDBParameter>& ColumnMapOf<CTaDBParameter>();
template <>
const ColumnMap<CTaDBSignal>& ColumnMapOf<CTaDBSignal>();
template <>
const ColumnMap<CTaDBTestActionEntry>& ColumnMapOf<CTaDBTestActionEntry>();
template <>
const ColumnMap<CTaDBTestGroup>& ColumnMapOf<CTaDBTestGroup>();
template <>
const ColumnMap<CTaDBTestGroupEntry>& ColumnMapOf<CTaDBTestGroupEntry>();
template <>
const ColumnMap<CTaDBTestMeasurement>& ColumnMapOf<CTaDBTestMeasurement>();
template <>
const ColumnMap<CTaDBTestPoint>& ColumnMapOf<CTaDBTestPoint>();
template <>
const ColumnMap<CTaDBTestReplay>& ColumnMapOf<CTaDBTestReplay>();
template <>
const ColumnMap<CTaDBTestResult>& ColumnMapOf<CTaDBTestResult>();
template <>
const ColumnMap<CTaDBTps>& ColumnMapOf<CTaDBTps>();
