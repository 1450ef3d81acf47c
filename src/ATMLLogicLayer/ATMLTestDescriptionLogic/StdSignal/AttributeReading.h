// The ways the signal classes read their attribute texts as numbers. None of
// them changes the text, and none depends on the process locale.
#pragma once
#include "platform/mfc/CString.h"

// The leading number, as atof reads it: the unit is ignored, 0.0 without a number.
double ReadNumber(const CString& text);
// The leading integer, as atoi reads it.
int ReadInteger(const CString& text);
// The number scaled to its unit's base, as Ge_Value_Unit reads it; 0.0 without a token.
double ReadValueAndUnit(const CString& text);
// The leading number, divided by 1000 when the second token is exactly "us".
double ReadPeriod(const CString& text);
