#include "ATMLViewLayer/TaDB/DBActTD/TaDBUserInfo.h"

// The value starts at 0 so that a fresh record never carries an
// indeterminate number into a copy.
CTaDBUserInfo::CTaDBUserInfo() { m_nUserValue = 0; }

CTaDBUserInfo::~CTaDBUserInfo() = default;
