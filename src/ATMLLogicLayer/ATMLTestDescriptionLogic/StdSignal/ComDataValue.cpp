#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/ComDataValue.h"

CComDataValue::CComDataValue() = default;

CComDataValue::~CComDataValue() = default;
