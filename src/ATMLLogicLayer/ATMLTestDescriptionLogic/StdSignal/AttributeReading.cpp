#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/AttributeReading.h"

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"
#include "platform/crt/CNumber.h"

double ReadNumber(const CString& text) { return AtofInCLocale(text); }

int ReadInteger(const CString& text) { return AtoiInCLocale(text); }

double ReadValueAndUnit(const CString& text) {
    double value = 0.0;
    CString unit, message;
    CStdSignal::Ge_Value_Unit(text, value, unit, message);
    return value;
}

double ReadPeriod(const CString& text) {
    CStringArray tokens;
    CStdSignal::DividePartFromSpace(text, tokens);
    if (tokens.IsEmpty()) return 0.0;
    double number = ReadNumber(text);
    return tokens.GetSize() >= 2 && tokens[1].str() == "us" ? number / 1000 : number;
}
