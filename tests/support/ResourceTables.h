// The resource tables described for the table protocol's suite, as
// FlatTables.h describes the structure tables. Each family follows the
// naming rule: record CTaDBX, table XTable, operations AddItem_X ..., key,
// name and ATML ID columns PREFIX_UUID, PREFIX_NAME, PREFIX_ATML_ID held by
// m_strMemberUuid, m_strMemberName, m_strMemberAtmlId. Lists take a filter.
#pragma once
#include "support/FlatTables.h"

#define RESOURCE_TABLE(X, PREFIX, Member) TABLE_TRAITS(X##Table, X, X, PREFIX, Member, GetAllItem_##X(l, filter))

RESOURCE_TABLE(Formula, "ACTION", Action);
RESOURCE_TABLE(MessageHint, "ACTION", Action);
RESOURCE_TABLE(Instrument, "ACTION", Action);
RESOURCE_TABLE(Parameter, "PARA", Para);
RESOURCE_TABLE(Signal, "SIGNAL", Signal);
