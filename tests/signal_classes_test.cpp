#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <typeindex>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdConstantSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfACSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfAMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDCSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEInterrogation.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDMEResponse.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalParallel.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfDigitalSerial.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfFMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSGlideSlope.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSLocalizer.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfILSMarker.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPMSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedACTrain.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfPulsedDCTrain.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRS232.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarRXSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRadarTXSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfRampSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSinusoidSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfSquareWaveSignal.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfTriangularWaveSignal.h"
#include "support/SignalTexts.h"

namespace {
// The type of each class; the stored content of a default object stands in
// support/SignalTexts.h.
const std::map<std::type_index, int> kTypes = {
    {typeid(CTsfDCSignal), 1},         {typeid(CTsfACSignal), 2},       {typeid(CTsfTriangularWaveSignal), 3},
    {typeid(CTsfSquareWaveSignal), 4}, {typeid(CTsfRS232), 5},          {typeid(CTsfAMSignal), 6},
    {typeid(CTsfFMSignal), 7},         {typeid(CTsfPMSignal), 8},       {typeid(CTsfDigitalParallel), 9},
    {typeid(CTsfDigitalSerial), 10},   {typeid(CTsfDMEInterrogation), 11}, {typeid(CTsfDMEResponse), 12},
    {typeid(CTsfILSGlideSlope), 13},   {typeid(CTsfILSLocalizer), 14},  {typeid(CTsfILSMarker), 15},
    {typeid(CTsfPulsedACSignal), 16},  {typeid(CTsfPulsedACTrain), 17}, {typeid(CTsfPulsedDCSignal), 18},
    {typeid(CTsfPulsedDCTrain), 19},   {typeid(CTsfRadarRXSignal), 20}, {typeid(CTsfRadarTXSignal), 21},
    {typeid(CTsfRampSignal), 22},      {typeid(CStdInstantaneous), 32}, {typeid(CTsfSinusoidSignal), 33},
    {typeid(CStdConstantSignal), 34},
};

struct Expected {
    int type;
    const char* content;  // "name(default),..." of a new object, in stored order
};

template <class S>
Expected ExpectedOf() {
    const int type = kTypes.at(typeid(S));
    return {type, kSignalTexts.at(type).defaults};
}

// The attributes of a signal through its class's table, as "name(value),...".
template <class S>
std::string Content(const S& signal) {
    std::string content;
    for (const SignalAttribute& attribute : AttributeTableOf<S>())
        content += (content.empty() ? "" : ",") + std::string(attribute.name) + "(" +
                   attribute.get(signal).GetString() + ")";
    return content;
}

// Sets every attribute to a text of its own, "<tag><position>".
template <class S>
void SetAll(S& signal, const std::string& tag) {
    int i = 0;
    for (const SignalAttribute& attribute : AttributeTableOf<S>())
        attribute.set(signal, CString(tag + std::to_string(++i)));
}

template <class S>
std::string AllSet(const std::string& tag) {
    S signal;
    SetAll(signal, tag);
    return Content(signal);
}
}  // namespace

template <class S>
class SignalTypeClass : public ::testing::Test {};

using SignalClassTypes =
    ::testing::Types<CTsfDCSignal, CTsfACSignal, CTsfTriangularWaveSignal, CTsfSquareWaveSignal, CTsfRS232,
                     CTsfAMSignal, CTsfFMSignal, CTsfPMSignal, CTsfDigitalParallel, CTsfDigitalSerial,
                     CTsfDMEInterrogation, CTsfDMEResponse, CTsfILSGlideSlope, CTsfILSLocalizer, CTsfILSMarker,
                     CTsfPulsedACSignal, CTsfPulsedACTrain, CTsfPulsedDCSignal, CTsfPulsedDCTrain,
                     CTsfRadarRXSignal, CTsfRadarTXSignal, CTsfRampSignal, CStdInstantaneous, CTsfSinusoidSignal,
                     CStdConstantSignal>;
TYPED_TEST_SUITE(SignalTypeClass, SignalClassTypes);

TYPED_TEST(SignalTypeClass, TypeDefaultsSetGetCopyAndAssignment) {
    using S = TypeParam;
    const Expected expected = ExpectedOf<S>();
    S signal;
    EXPECT_EQ(signal.GetStdSignalType(), expected.type);
    EXPECT_EQ(signal.GetErrorCode(), 1);
    EXPECT_EQ(Content(signal), expected.content);

    // Each setter changes its own attribute only.
    SetAll(signal, "v");
    const std::string filled = Content(signal);
    EXPECT_NE(filled, expected.content);
    int i = 0;
    for (const SignalAttribute& attribute : AttributeTableOf<S>())
        EXPECT_EQ(attribute.get(signal), CString("v" + std::to_string(++i))) << attribute.name;

    signal.SetErrorCode(-1);
    signal.SetErrorInfo("source");
    S copy(signal);
    EXPECT_EQ(Content(copy), filled);
    EXPECT_EQ(copy.GetStdSignalType(), expected.type);
    EXPECT_EQ(copy.GetErrorInfo(), "source");

    S target;
    target.SetStdSignalType(TD_SIGNAL_TACAN);
    target = signal;
    EXPECT_EQ(Content(target), filled);
    EXPECT_EQ(target.GetStdSignalType(), TD_SIGNAL_TACAN);
    EXPECT_EQ(target.GetErrorCode(), 1);
}

TYPED_TEST(SignalTypeClass, TypeTableMakesAndRecognisesTheClass) {
    using S = TypeParam;
    const SignalClass* found = FindSignalClass(static_cast<TD_SIGNALTYPE>(ExpectedOf<S>().type));
    ASSERT_NE(found, nullptr);
    std::unique_ptr<CStdSignal> made(found->create());
    ASSERT_NE(dynamic_cast<S*>(made.get()), nullptr);
    EXPECT_EQ(Content(static_cast<const S&>(*made)), ExpectedOf<S>().content);
    EXPECT_TRUE(found->isInstance(*made));
    EXPECT_FALSE(found->isInstance(CStdSignal()));
    EXPECT_EQ(&found->attributes(), &AttributeTableOf<S>());
}

TEST(SignalClasses, TypesWithoutClassHaveNoEntry) {
    int withClass = 0;
    for (int type = -1; type <= 40; ++type)
        if (FindSignalClass(static_cast<TD_SIGNALTYPE>(type))) {
            ++withClass;
            EXPECT_TRUE((type >= 1 && type <= 22) || (type >= 32 && type <= 34)) << type;
        }
    EXPECT_EQ(withClass, 25);
}

namespace {
std::string Show(double value) { return "d:" + ::testing::PrintToString(value); }
std::string Show(int value) { return "i:" + std::to_string(value); }
std::string Show(const CString& value) { return "t:" + value.str(); }

// What each way of reading gives for the probes "2.5 kHz" and "2.5 us".
struct Way {
    const char* kilohertz;
    const char* microseconds;
};
const Way kNumber{"d:2.5", "d:2.5"};
const Way kUnit{"d:2500", "d:2.5"};
const Way kPeriod{"d:2.5", "d:0.0025"};
const Way kInteger{"i:2", "i:2"};
const Way kText{"t:2.5 kHz", "t:2.5 us"};

struct Reader {
    const char* name;
    std::string (*read)(const char* probe);
    Way way;
};

// Sets attribute A of a new C through its named setter, checks its named
// getter, and reads it back through the value accessor V.
#define READS(C, A, V, WAY)                                     \
    Reader{#C "::Get" #V,                                       \
           [](const char* probe) {                              \
               C signal;                                        \
               signal.Set##A(probe);                            \
               EXPECT_EQ(signal.Get##A(), probe) << #C "::" #A; \
               return Show(signal.Get##V());                    \
           },                                                   \
           WAY}

const Reader kReaders[] = {
    READS(CTsfDCSignal, DcAmpl, DcAmplValue, kUnit),
    READS(CTsfDCSignal, AcAmpl, AcAmplValue, kNumber),
    READS(CTsfDCSignal, Freq, FreqValue, kNumber),
    READS(CTsfDCSignal, Phase, PhaseValue, kNumber),
    READS(CTsfACSignal, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfACSignal, AcAmpl, AcAmplValue, kUnit),
    READS(CTsfACSignal, Freq, FreqValue, kNumber),
    READS(CTsfACSignal, Phase, PhaseValue, kNumber),
    READS(CTsfTriangularWaveSignal, Ampl, AmplValue, kNumber),
    READS(CTsfTriangularWaveSignal, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfTriangularWaveSignal, Period, PeriodValue, kPeriod),
    READS(CTsfSquareWaveSignal, Ampl, AmplValue, kNumber),
    READS(CTsfSquareWaveSignal, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfSquareWaveSignal, Period, PeriodValue, kPeriod),
    READS(CTsfRS232, BaudRate, BaudRateValue, kInteger),
    READS(CTsfRS232, DataBits, DataBitsValue, kInteger),
    READS(CTsfRS232, Parity, ParityValue, kInteger),
    READS(CTsfRS232, StopBits, StopBitsValue, kInteger),
    READS(CTsfRS232, FlowControl, FlowControlValue, kInteger),
    READS(CTsfAMSignal, CarAmpl, CarAmplValue, kNumber),
    READS(CTsfAMSignal, CarFreq, CarFreqValue, kNumber),
    READS(CTsfAMSignal, ModFreq, ModFreqValue, kNumber),
    READS(CTsfAMSignal, ModDepth, ModDepthValue, kNumber),
    READS(CTsfFMSignal, CarAmpl, CarAmplValue, kNumber),
    READS(CTsfFMSignal, CarFreq, CarFreqValue, kNumber),
    READS(CTsfFMSignal, ModFreq, ModFreqValue, kNumber),
    READS(CTsfFMSignal, FreqDev, FreqDevValue, kNumber),
    READS(CTsfPMSignal, CarAmpl, CarAmplValue, kNumber),
    READS(CTsfPMSignal, CarFreq, CarFreqValue, kNumber),
    READS(CTsfPMSignal, ModFreq, ModFreqValue, kNumber),
    READS(CTsfPMSignal, PhaseDev, PhaseDevValue, kNumber),
    READS(CTsfDigitalParallel, DataValue, DataValueNum, kText),
    READS(CTsfDigitalParallel, ClockPeriod, ClockPeriodValue, kNumber),
    READS(CTsfDigitalParallel, LogicOneValue, LogicOneValueNum, kInteger),
    READS(CTsfDigitalParallel, LogicZeroValue, LogicZeroValueNum, kInteger),
    READS(CTsfDigitalSerial, DataValue, DataValueNum, kText),
    READS(CTsfDigitalSerial, ClockPeriod, ClockPeriodValue, kNumber),
    READS(CTsfDigitalSerial, LogicOneValue, LogicOneValueNum, kInteger),
    READS(CTsfDigitalSerial, LogicZeroValue, LogicZeroValueNum, kInteger),
    READS(CTsfDMEInterrogation, CarAmpl, CarAmplValue, kUnit),
    READS(CTsfDMEInterrogation, IntFreq, IntFreqValue, kInteger),
    READS(CTsfDMEInterrogation, IntRate, IntRateValue, kInteger),
    READS(CTsfDMEResponse, RespFreq, RespFreqValue, kNumber),
    READS(CTsfDMEResponse, CarAmpl, CarAmplValue, kUnit),
    READS(CTsfDMEResponse, Range, RangeValue, kNumber),
    READS(CTsfDMEResponse, Rate, RateValue, kNumber),
    READS(CTsfDMEResponse, Accn, AccnValue, kNumber),
    READS(CTsfILSGlideSlope, CarAmpl, CarAmplValue, kUnit),
    READS(CTsfILSGlideSlope, CarFreq, CarFreqValue, kNumber),
    READS(CTsfILSGlideSlope, OnefiftyLevel, OnefiftyLevelValue, kNumber),
    READS(CTsfILSGlideSlope, NinetyLevel, NinetyLevelValue, kNumber),
    READS(CTsfILSLocalizer, CarAmpl, CarAmplValue, kUnit),
    READS(CTsfILSLocalizer, CarFreq, CarFreqValue, kNumber),
    READS(CTsfILSLocalizer, OnefiftyLevel, OnefiftyLevelValue, kNumber),
    READS(CTsfILSLocalizer, NinetyLevel, NinetyLevelValue, kNumber),
    READS(CTsfILSMarker, MarkerFreq, MarkerFreqValue, kNumber),
    READS(CTsfILSMarker, CarAmpl, CarAmplValue, kUnit),
    READS(CTsfPulsedACSignal, AcAmpl, AcAmplValue, kUnit),
    READS(CTsfPulsedACSignal, Freq, FreqValue, kNumber),
    READS(CTsfPulsedACSignal, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfPulsedACSignal, PDelay, PDelayValue, kNumber),
    READS(CTsfPulsedACSignal, PDuration, PDurationValue, kNumber),
    READS(CTsfPulsedACSignal, Prf, PrfValue, kNumber),
    READS(CTsfPulsedACSignal, PRepetition, PRepetitionValue, kNumber),
    READS(CTsfPulsedACTrain, AcAmpl, AcAmplValue, kUnit),
    READS(CTsfPulsedACTrain, Freq, FreqValue, kNumber),
    READS(CTsfPulsedACTrain, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfPulsedACTrain, PulseTrain, PulseTrainValue, kText),
    READS(CTsfPulsedDCSignal, DcAmpl, DcAmplValue, kUnit),
    READS(CTsfPulsedDCSignal, AcAmpl, AcAmplValue, kUnit),
    READS(CTsfPulsedDCSignal, Freq, FreqValue, kNumber),
    READS(CTsfPulsedDCSignal, PDelay, PDelayValue, kNumber),
    READS(CTsfPulsedDCSignal, PDuration, PDurationValue, kNumber),
    READS(CTsfPulsedDCSignal, Prf, PrfValue, kNumber),
    READS(CTsfPulsedDCSignal, PRepetition, PRepetitionValue, kNumber),
    READS(CTsfPulsedDCTrain, DcAmpl, DcAmplValue, kUnit),
    READS(CTsfPulsedDCTrain, AcAmpl, AcAmplValue, kUnit),
    READS(CTsfPulsedDCTrain, Freq, FreqValue, kNumber),
    READS(CTsfPulsedDCTrain, PulseTrain, PulseTrainValue, kText),
    READS(CTsfRadarRXSignal, Atten, AttenValue, kNumber),
    READS(CTsfRadarRXSignal, Range, RangeValue, kNumber),
    READS(CTsfRadarRXSignal, RangeAccn, RangeAccnValue, kNumber),
    READS(CTsfRadarRXSignal, RangeRate, RangeRateValue, kNumber),
    READS(CTsfRadarRXSignal, ReplyEff, ReplyEffValue, kNumber),
    READS(CTsfRadarTXSignal, Ampl, AmplValue, kUnit),
    READS(CTsfRadarTXSignal, Freq, FreqValue, kNumber),
    READS(CTsfRadarTXSignal, Delay, DelayValue, kNumber),
    READS(CTsfRadarTXSignal, Duration, DurationValue, kNumber),
    READS(CTsfRadarTXSignal, Prf, PrfValue, kNumber),
    READS(CTsfRadarTXSignal, Repetition, RepetitionValue, kNumber),
    READS(CTsfRampSignal, Ampl, AmplValue, kUnit),
    READS(CTsfRampSignal, DcOffset, DcOffsetValue, kNumber),
    READS(CTsfRampSignal, Period, PeriodValue, kNumber),
    READS(CTsfRampSignal, RiseTime, RiseTimeValue, kNumber),
    READS(CStdInstantaneous, Nominal, NominalValue, kNumber),
    READS(CTsfSinusoidSignal, Ampl, AmplValue, kUnit),
    READS(CTsfSinusoidSignal, Frequency, FrequencyValue, kNumber),
    READS(CTsfSinusoidSignal, Phase, PhaseValue, kNumber),
    READS(CStdConstantSignal, Ampl, AmplValue, kUnit),
};
}  // namespace

TEST(SignalClasses, EachValueAccessorReadsItsAttributeItsWay) {
    for (const Reader& reader : kReaders) {
        EXPECT_EQ(reader.read("2.5 kHz"), reader.way.kilohertz) << reader.name;
        EXPECT_EQ(reader.read("2.5 us"), reader.way.microseconds) << reader.name;
    }
}

TEST(SignalClasses, TextOnlyAttributesHaveTheirNamedAccessors) {
#define TEXT_ONLY(signal, A) \
    signal.Set##A(#A);       \
    EXPECT_EQ(signal.Get##A(), #A);
    CTsfRS232 rs232;
    TEXT_ONLY(rs232, DataWord);
    CStdInstantaneous r;
    TEXT_ONLY(r, Type) TEXT_ONLY(r, MeasuredVariable) TEXT_ONLY(r, Measurement) TEXT_ONLY(r, Measurements)
    TEXT_ONLY(r, Samples) TEXT_ONLY(r, Count) TEXT_ONLY(r, GateTime) TEXT_ONLY(r, Condition) TEXT_ONLY(r, GO)
    TEXT_ONLY(r, NOGO) TEXT_ONLY(r, HI) TEXT_ONLY(r, LO) TEXT_ONLY(r, UL) TEXT_ONLY(r, LL) TEXT_ONLY(r, As)
#undef TEXT_ONLY
}

TEST(SignalClasses, DefaultsReadAsTheirValues) {
    EXPECT_DOUBLE_EQ(CTsfSquareWaveSignal().GetPeriodValue(), 0.01);
    EXPECT_DOUBLE_EQ(CTsfTriangularWaveSignal().GetPeriodValue(), 0.001);
    CTsfDigitalParallel parallel;
    EXPECT_EQ(parallel.GetLogicOneValueNum(), 3);
    EXPECT_EQ(parallel.GetLogicZeroValueNum(), -2);
    EXPECT_EQ(parallel.GetDataValueNum(), "HLHL");
    EXPECT_DOUBLE_EQ(parallel.GetClockPeriodValue(), 1.0);
    CTsfDMEInterrogation interrogation;
    EXPECT_EQ(interrogation.GetIntFreqValue(), 1025);
    EXPECT_EQ(interrogation.GetIntRateValue(), 27);
    EXPECT_DOUBLE_EQ(interrogation.GetCarAmplValue(), 1.0);
    EXPECT_DOUBLE_EQ(CTsfACSignal().GetAcAmplValue(), 1.0);
    EXPECT_DOUBLE_EQ(CTsfACSignal().GetFreqValue(), 1000.0);
    EXPECT_DOUBLE_EQ(CTsfSinusoidSignal().GetAmplValue(), 1.0);
    EXPECT_DOUBLE_EQ(CTsfSinusoidSignal().GetSpareValue(), 0.0);
    CTsfRadarRXSignal radar;
    EXPECT_DOUBLE_EQ(radar.GetRangeValue(), 2.0);
    EXPECT_DOUBLE_EQ(radar.GetReplyEffValue(), 100.0);
    EXPECT_EQ(radar.GetSpareValue(), "1");
    EXPECT_DOUBLE_EQ(CTsfDMEResponse().GetSpareValue(), 0.0);
    EXPECT_DOUBLE_EQ(CTsfDMEResponse().GetRespFreqValue(), 962.0);
    EXPECT_DOUBLE_EQ(CTsfPMSignal().GetPhaseDevValue(), 0.0);
    CTsfRS232 rs232;
    EXPECT_EQ(rs232.GetBaudRateValue(), 9600);
    EXPECT_EQ(rs232.GetParityValue(), 0);
    EXPECT_EQ(rs232.GetFlowControlValue(), 0);
    EXPECT_DOUBLE_EQ(CTsfILSMarker().GetMarkerFreqValue(), 400.0);
    EXPECT_DOUBLE_EQ(CTsfILSMarker().GetCarAmplValue(), 2.0);  // "2mW" is one token: unscaled
    EXPECT_DOUBLE_EQ(CTsfILSGlideSlope().GetCarAmplValue(), 0.002);
}

TEST(SignalClasses, PeriodRuleScalesOnlyASeparateLowerCaseMicrosecond) {
    struct Case {
        const char* text;
        double period;
    };
    for (Case c : {Case{"10 us", 0.01}, Case{"10 US", 10}, Case{"10us", 10}, Case{"5 ms", 5}, Case{"", 0},
                   Case{" \r\n", 0}, Case{"\t3 us", 0.003}, Case{"x us", 0}}) {
        CTsfSquareWaveSignal square;
        square.SetPeriod(c.text);
        EXPECT_DOUBLE_EQ(square.GetPeriodValue(), c.period) << c.text;
        EXPECT_EQ(square.GetPeriod(), c.text);
    }
}

TEST(SignalClasses, ValueAndUnitAccessorsReadWithoutWriting) {
    CTsfDCSignal dc;
    dc.SetDcAmpl("500 mV");
    EXPECT_DOUBLE_EQ(dc.GetDcAmplValue(), 0.5);
    EXPECT_EQ(dc.GetDcAmpl(), "500 mV");
    dc.SetDcAmpl("");
    EXPECT_DOUBLE_EQ(dc.GetDcAmplValue(), 0.0);
    EXPECT_EQ(dc.GetDcAmpl(), "");
    CTsfSinusoidSignal sinusoid;
    sinusoid.SetAmpl("2 mV");
    EXPECT_DOUBLE_EQ(sinusoid.GetAmplValue(), 0.002);
    EXPECT_DOUBLE_EQ(sinusoid.GetSpareValue(), 0.0);
}
