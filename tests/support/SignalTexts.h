// The stored signal content of each signal type that has a class, written
// out: the names of its items in the order the content stores them, and
// the content of a new object of the class (its defaults).
#pragma once
#include <map>
#include <sstream>
#include <string>
#include <vector>

struct SignalText {
    const char* names;     // the items' names, blank-separated, in stored order
    const char* defaults;  // the content of a new object
};

inline const std::map<int, SignalText> kSignalTexts = {
    {1, {"dc_ampl ac_ampl freq phase", "dc_ampl(1),ac_ampl(0),freq(0 Hz),phase(0 rad)"}},
    {2, {"dc_offset ac_ampl freq phase", "dc_offset(0),ac_ampl(1 V),freq(1000 Hz),phase(0 rad)"}},
    {3, {"ampl period dc_offset", "ampl(1),period(0.001 s),dc_offset(0)"}},
    {4, {"ampl period dc_offset", "ampl(1),period(10 us),dc_offset(0 V)"}},
    {5,
     {"data_word baud_rate data_bits parity stop_bits flow_control",
      "data_word(1),baud_rate(9600),data_bits(8),parity(none),stop_bits(1),flow_control(none)"}},
    {6, {"car_ampl car_freq mod_freq mod_depth", "car_ampl(1 V),car_freq(40 kHz),mod_freq(1 kHz),mod_depth(0)"}},
    {7, {"car_ampl car_freq freq_dev mod_freq", "car_ampl(1 V),car_freq(100 kHz),freq_dev(10 kHz),mod_freq(1200 Hz)"}},
    {8,
     {"car_ampl car_freq phase_dev mod_freq",
      "car_ampl(1 V),car_freq(100 kHz),phase_dev((pi*8)),mod_freq(1240 Hz)"}},
    {9,
     {"data_value clock_period logic_one_value logic_zero_value",
      "data_value(HLHL),clock_period(1 us),logic_one_value(3.6 V),logic_zero_value(-2.6 V)"}},
    {10,
     {"data_value clock_period logic_one_value logic_zero_value",
      "data_value(LZHLHHLLHHHLLZL),clock_period(1 us),logic_one_value(3.6 V),logic_zero_value(-2.6 V)"}},
    {11, {"car_ampl int_freq int_rate", "car_ampl(1 V),int_freq(1025 MHz),int_rate(27Hz)"}},
    {12, {"resp_freq car_ampl range rate accn", "resp_freq(962MHz),car_ampl(1 V),range(0 m),rate(0 m/s),accn(0 m/s2)"}},
    {13,
     {"car_ampl car_freq onefifty_level ninety_level",
      "car_ampl(2 mV),car_freq(328.6 MHz),onefifty_level(1),ninety_level(1)"}},
    {14,
     {"car_ampl car_freq onefifty_level ninety_level",
      "car_ampl(2 mW),car_freq(108.1 MHz),onefifty_level(1),ninety_level(1)"}},
    {15, {"marker_freq car_ampl", "marker_freq(400Hz),car_ampl(2mW)"}},
    {16,
     {"ac_ampl freq dc_offset p_delay p_duration prf p_repetition",
      "ac_ampl(1 V),freq(1 Hz),dc_offset(0),p_delay(0 s),p_duration(3 ms),prf(1),p_repetition(0)"}},
    {17,
     {"ac_ampl freq dc_offset pulse_train",
      "ac_ampl(1 V),freq(150 Hz),dc_offset(0),pulse_train((0.1,0.125,1), (0.2,0.125,1))"}},
    {18,
     {"dc_ampl ac_ampl freq p_delay p_duration prf p_repetition",
      "dc_ampl(1),ac_ampl(0),freq(0 Hz),p_delay(0 s),p_duration(6 ms),prf(1),p_repetition(0)"}},
    {19,
     {"dc_ampl pulse_train ac_ampl freq",
      "dc_ampl(1),pulse_train((0.1,0.125,1), (0.2,0.125,1)),ac_ampl(0),freq(0 Hz)"}},
    {20,
     {"atten range range_accn range_rate reply_eff",
      "atten(1),range(2 nmi),range_accn(0),range_rate(0),reply_eff(100%)"}},
    {21,
     {"ampl freq delay duration prf repetition",
      "ampl(1),freq(100 MHz),delay(0 s),duration(10 us),prf(1),repetition(0)"}},
    {22, {"ampl dc_offset period rise_time", "ampl(1),dc_offset(0),period(1 kHz),rise_time(1 ms)"}},
    {32,
     {"type nominal measuredVariable measurement measurements samples count gateTime condition GO NOGO HI LO UL LL As",
      "type(Resistance),nominal(1),measuredVariable(DEPENDENT),measurement(0),measurements(1),samples(0),count(0),"
      "gateTime(1),condition(NONE),GO(false),NOGO(false),HI(false),LO(false),UL(0),LL(0),As(1)"}},
    {33, {"ampl frequency phase", "ampl(1 V),frequency(1000 Hz),phase(0 rad)"}},
    {34, {"ampl", "ampl(1)"}},
};

// The content of type holding the value of each item by its name:
// "name(value),..." in stored order; a name without a value shows as "?".
inline std::string StoredContent(int type, const std::map<std::string, std::string>& valueOf) {
    std::istringstream names(kSignalTexts.at(type).names);
    std::string content, name;
    while (names >> name) {
        const auto value = valueOf.find(name);
        content += (content.empty() ? "" : ",") + name + "(" + (value == valueOf.end() ? "?" : value->second) + ")";
    }
    return content;
}
