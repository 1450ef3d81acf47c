// The defaults that several record classes share, set the same way in each.
#pragma once
#include "ATMLCommonError/CommonTexts.h"

// The reserve run: RESERVER1 0 (the strings default to empty).
template <class R>
void SetReserveDefaults(R& record) {
    record.m_nReserver1 = 0;
}

// The audit run: both dates now, each read by a call of its own.
template <class R>
void SetAuditDefaults(R& record) {
    record.m_dtCreateDate = COleDateTime::GetCurrentTime();
    record.m_dtModifyDate = COleDateTime::GetCurrentTime();
}

// The action head: a fresh key, both sleeps 0.
template <class R>
void SetActionHeadDefaults(R& record) {
    record.m_strActionUuid = NewKeyText();
    record.m_nActionSleepPre = 0;
    record.m_nActionSleepPost = 0;
}
