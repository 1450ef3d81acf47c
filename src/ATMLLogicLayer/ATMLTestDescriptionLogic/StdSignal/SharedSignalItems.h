// What signal types that store the same items have in common, kept once as
// data: the items in stored order, made for each class from its own getters
// and setters, and the defaults the types agree on. Each type keeps its own
// class beside CStdSignal; nothing here is a base. Internal to the library.
#pragma once
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalAttribute.h"

// The parallel and the serial digital signal differ only in their pattern.
inline constexpr char kDigitalClockPeriod[] = "1 us";
inline constexpr char kDigitalLogicOneValue[] = "3.6 V";
inline constexpr char kDigitalLogicZeroValue[] = "-2.6 V";

template <class S>
SignalAttributeTable DigitalSignalItems() {
    return {Attribute<&S::GetDataValue, &S::SetDataValue>("data_value"),
            Attribute<&S::GetClockPeriod, &S::SetClockPeriod>("clock_period"),
            Attribute<&S::GetLogicOneValue, &S::SetLogicOneValue>("logic_one_value"),
            Attribute<&S::GetLogicZeroValue, &S::SetLogicZeroValue>("logic_zero_value")};
}

// The glide slope and the localizer differ only in their carrier.
inline constexpr char kIlsModulationLevel[] = "1";  // of the 150 Hz and the 90 Hz tone

template <class S>
SignalAttributeTable IlsSignalItems() {
    return {Attribute<&S::GetCarAmpl, &S::SetCarAmpl>("car_ampl"),
            Attribute<&S::GetCarFreq, &S::SetCarFreq>("car_freq"),
            Attribute<&S::GetOnefiftyLevel, &S::SetOnefiftyLevel>("onefifty_level"),
            Attribute<&S::GetNinetyLevel, &S::SetNinetyLevel>("ninety_level")};
}

// The square and the triangular wave store the period before the offset.
inline constexpr char kWaveAmpl[] = "1";

template <class S>
SignalAttributeTable PeriodicWaveItems() {
    return {Attribute<&S::GetAmpl, &S::SetAmpl>("ampl"), Attribute<&S::GetPeriod, &S::SetPeriod>("period"),
            Attribute<&S::GetDcOffset, &S::SetDcOffset>("dc_offset")};
}
