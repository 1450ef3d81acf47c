// Signals written into set-up records and read back through a project file,
// connection records read into descriptions with their signal rows, and the
// look-up failures the readers report.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/SignalClasses.h"
#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/TsfACSignal.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"
#include "support/SignalTexts.h"
#include "support/TestStore.h"

namespace {
std::string RefOf(_TD_REF& ref) {
    return std::to_string(ref.m_nRange) + std::to_string(ref.m_nRole) + ref.m_strName.str();
}

// "value|value|..." in stored order; "" for a signal of no class.
std::string AttributesOf(const CStdSignal& signal) {
    const SignalClass* signalClass = FindSignalClass(signal.GetStdSignalType());
    std::string text;
    if (signalClass && signalClass->isInstance(signal))
        for (const SignalAttribute& attribute : signalClass->attributes())
            text += (&attribute == &signalClass->attributes().front() ? "" : "|") + attribute.get(signal).str();
    return text;
}

template <class R>
auto ReadBack(CTaDBTDDataBase& on, CTaDBTDDataBase& store, R& record) {
    if constexpr (std::is_same_v<R, CTaDBActionSetup>) return std::unique_ptr<CStdSignal>(on.GetStdSignal(store, record));
    else return std::unique_ptr<CStdTwoWire>(on.GetStdTwoWire(store, record));
}

// Signals of every type written into set-up records and read back, from the
// record itself and from the record stored in the project: first with their
// defaults, then with random values drawn from brackets, commas, blanks, "x"
// and "1" (never an attribute's name), some empty. Every value comes back as
// written, an empty one as the default, and one without "," and ")" as
// AnalysisParaList gives it; so do the action name, the measurement
// information and the reference of the row that key names.
void ExpectEveryTypeRoundTrips(CTaDBTDDataBase& store, const CString& key) {
    std::mt19937 random(25);  // fixed, so that a failure repeats
    const char pieces[] = "(), x1";
    int classes = 0;
    for (int type = 0; type <= 34; ++type) {
        const SignalClass* signalClass = FindSignalClass(static_cast<TD_SIGNALTYPE>(type));
        if (!signalClass) continue;
        ++classes;
        const SignalAttributeTable& attributes = signalClass->attributes();
        for (int round = 0; round < 80; ++round) {
            std::unique_ptr<CStdSignal> signal(signalClass->create());
            std::string expected;
            std::vector<std::string> values(attributes.size());
            for (size_t i = 0; i < attributes.size(); ++i) {
                if (round == 0) values[i] = attributes[i].get(*signal).str();
                else for (size_t n = random() % 8; n > 0; --n) values[i] += pieces[random() % 6];
                expected += (i ? "|" : "") + (values[i].empty() ? attributes[i].get(*signal).str() : values[i]);
                attributes[i].set(*signal, values[i].c_str());
            }
            signal->SetActName(round % 2 ? "设置,act(1)" : "");
            signal->SetMeasureInfo(round % 2 ? "有效值测量" : "");
            CTaDBActionSetup record, stored;
            record.m_strSignalType = CStdSignal::GetSignalType(signalClass->type);
            record.m_strSignalUuid = key;
            record.SetStdSignal(signal.get());
            // The content names each value's item as the stored format does.
            std::map<std::string, std::string> valueOf;
            for (size_t i = 0; i < attributes.size(); ++i) valueOf[attributes[i].name] = values[i];
            EXPECT_EQ(record.m_strSignalContent.str(), StoredContent(type, valueOf));
            if (round == 0) {
                EXPECT_EQ(record.m_strSignalContent.str(), kSignalTexts.at(type).defaults);
            }
            ASSERT_EQ(store.AddItem_ActionSetup(record, 1), 1) << store.GetErrorInfo().str();
            ASSERT_EQ(store.GetItem_ActionSetup(stored, 1, record.m_strActionUuid), 1);
            for (CTaDBActionSetup* read : {&record, &stored}) {
                std::unique_ptr<CStdSignal> back = ReadBack(store, store, *read);
                ASSERT_TRUE(back && signalClass->isInstance(*back));
                EXPECT_EQ(AttributesOf(*back), expected) << read->m_strSignalContent.str();
                EXPECT_EQ(back->GetActName() + back->GetMeasureInfo(), signal->GetActName() + signal->GetMeasureInfo());
                EXPECT_EQ(RefOf(back->GetStdSignalRef()), "02S1");
            }
            for (size_t i = 0; i < attributes.size(); ++i)
                if (!values[i].empty() && values[i].find_first_of(",)") == std::string::npos) {
                    EXPECT_EQ(CTaDBTDDataBase::AnalysisParaList(record.m_strSignalContent, attributes[i].name, 1),
                              values[i].c_str())
                        << record.m_strSignalContent.str();
                }
        }
    }
    EXPECT_EQ(classes, 25);
}

// A record of kind R naming key and target, read into one text; "null" when none.
template <class R>
std::string Describe(CTaDBTDDataBase& store, const CString& key, const char* target) {
    R record;
    record.m_strSignalUuid = key;
    record.m_strConnectType = target;
    record.m_strInstruContent = "ivi/dmm/1";
    record.m_strUutContent = "a;;b;";
    if constexpr (std::is_same_v<R, CTaDBActionConnect>) record.m_strUutBuildSwitch = "s1/c1;";
    std::unique_ptr<CStdTwoWire> wire = ReadBack(store, store, record);
    return !wire ? "null"
                 : RefOf(wire->GetStdSignalRef()) + "|" + std::to_string(wire->m_nConnectType) + "|" +
                       (wire->m_strInstruContent + "|" + wire->m_strUutContent + "|" + wire->m_strUutBuildSwitch).str();
}

void ExpectConnectionReaders(CTaDBTDDataBase& store, const CString& key) {
    EXPECT_EQ(Describe<CTaDBActionConnect>(store, key, "测试仪器"), "02S1|1|ivi/dmm/1|a;;b;|s1/c1;");
    EXPECT_EQ(Describe<CTaDBActionDisconnect>(store, key, "测试仪器"), "02S1|1|ivi/dmm/1|a;;b;|");
    for (const char* target : {"UUT", "", "uut"})
        EXPECT_EQ(Describe<CTaDBActionReset>(store, key, target), "02S1|0|ivi/dmm/1|a;;b;|") << target;
    // No row with the key is no failure: the reference keeps its defaults.
    EXPECT_EQ(Describe<CTaDBActionReset>(store, "", "UUT"), "11|0|ivi/dmm/1|a;;b;|");
    EXPECT_EQ(Describe<CTaDBActionConnect>(store, "no such key", "UUT"), "11|0|ivi/dmm/1|a;;b;|s1/c1;");
}

// Every reader called on on gives null, and on holds -1, the store's message
// and a trace of the look-up's position alone.
template <class... R>
void ExpectEveryReaderFails(CTaDBTDDataBase& on, CTaDBTDDataBase& store) {
    const auto fails = [&](auto record) {
        on.SetErrorTrace("before");
        EXPECT_FALSE(ReadBack(on, store, record));
        EXPECT_EQ(on.GetErrorCode(), -1);
        EXPECT_EQ(on.GetErrorInfo(), store.GetErrorInfo());
        EXPECT_EQ(on.GetErrorTrace().str().rfind("-> 错误位置：CTaDBActionSetup::GetStdSignal()，（代码：-1", 0), 0u);
        EXPECT_EQ(on.GetErrorTrace().str().find("->", 1), std::string::npos) << on.GetErrorTrace().str();
    };
    (fails(R()), ...);
}
#define EVERY_READER CTaDBActionSetup, CTaDBActionConnect, CTaDBActionDisconnect, CTaDBActionReset

class SignalConversion : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(store.New("", 1), 1); }
    std::unique_ptr<CStdSignal> Read(const char* type, const char* content) {
        CTaDBActionSetup record;
        record.m_strSignalType = type;
        record.m_strSignalContent = content;
        return ReadBack(store, store, record);
    }
    TempDir dir;
    TestStore store{dir};
};
}  // namespace

TEST_F(SignalConversion, SetUpsAndConnectionsReadTheirSignalRows) {
    CTaDBSignal row;
    row.m_strSignalName = "S1";
    row.m_strSignalRole = "测量";
    row.m_strSignalRange = "全局";
    ASSERT_EQ(store.AddItem_Signal(row, 1), 1);
    ExpectConnectionReaders(store, row.m_strSignalUuid);
    CTaDBActionSetup unnamed;  // its signal key names no row: a signal with the default reference
    unnamed.m_strSignalUuid = "no such key";
    std::unique_ptr<CStdSignal> signal = ReadBack(store, store, unnamed);
    ASSERT_TRUE(signal);
    EXPECT_EQ(RefOf(signal->GetStdSignalRef()), "11");
    EXPECT_EQ(store.GetErrorInfo(), "数据库中不存在指定记录！");  // left by the look-up of a missing key
    ExpectEveryTypeRoundTrips(store, row.m_strSignalUuid);
}

TEST_F(SignalConversion, LookUpsThatFailGiveNullAndTheStoresMessage) {
    TestStore caller{dir}, closed{dir};
    ExpectEveryReaderFails<EVERY_READER>(caller, closed);  // no project open
    ExpectEveryReaderFails<EVERY_READER>(closed, closed);
    const std::string project =
        MakeProject(dir, "p.tarnprj", "UPDATE EditionTable SET EDITION = 9 WHERE \"TABLE\" = 'SignalTable';");
    ASSERT_EQ(store.Open(project.c_str()), 1);
    ExpectEveryReaderFails<EVERY_READER>(caller, store);
}

TEST_F(SignalConversion, WriterFillsContentOfTheObjectsOwnClassOnly) {
    CTaDBActionSetup record;
    record.m_strActionName = "kept";
    record.SetStdSignal(nullptr);
    EXPECT_EQ(record.m_strActionName, "kept");
    CTsfACSignal ac;
    ac.SetAcAmpl("");
    record.SetStdSignal(&ac);
    EXPECT_EQ(record.m_strSignalContent, "dc_offset(0),ac_ampl(),freq(1000 Hz),phase(0 rad)");
    EXPECT_EQ(record.m_strSignalType, "直流信号");
    // No class for the type, or another class than the object's: content kept.
    for (TD_SIGNALTYPE type : {TD_SIGNAL_NONE, TD_SIGNAL_VOR, TD_SIGNAL_DC}) {
        CTsfACSignal other;
        other.SetStdSignalType(type);
        other.SetActName("act");
        record.SetStdSignal(&other);
        EXPECT_EQ(record.m_strSignalContent + record.m_strActionName,
                  "dc_offset(0),ac_ampl(),freq(1000 Hz),phase(0 rad)act");
    }
}

// AC contents read. In the writer's format every value comes back whole,
// whatever brackets and commas it holds, and so does every value after it;
// a value holding ")," and the next attribute's item is the one the format
// cannot tell apart: its item ends there. Content of any other shape keeps
// the defaults of what it does not hold.
TEST_F(SignalConversion, ContentGivesTheValuesItHoldsAndDefaultsForTheRest) {
    const struct {
        const char* content;
        const char* attributes;  // dc_offset|ac_ampl|freq|phase
    } cases[] = {
        {"dc_offset((1,2),ac_ampl(2 V),freq(50 Hz),phase(1 rad)", "(1,2|2 V|50 Hz|1 rad"},
        {"dc_offset(0.5),ac_ampl(2 V),freq(50 Hz),phase(1 rad)", "0.5|2 V|50 Hz|1 rad"},
        {"dc_offset(x(),ac_ampl(((),freq(a,(),phase(1 rad))", "x(|((|a,(|1 rad)"},
        {"dc_offset(a),b),ac_ampl(),freq(,),phase())", "a),b|1 V|,|)"},
        {"dc_offset(v(a,b),freq(c), d)),ac_ampl(1),freq(2),phase(3)", "v(a,b),freq(c), d)|1|2|3"},
        {"dc_offset(a),ac_ampl(b),ac_ampl(2 V),freq(50 Hz),phase(1 rad)", "a|b),ac_ampl(2 V|50 Hz|1 rad"},
        // Other shapes.
        {"freq(50 Hz)", "0|1 V|50 Hz|0 rad"},        {"ac_ampl(),freq(50 Hz", "0|1 V|1000 Hz|0 rad"},
        {"car_freq(1),xfreq(2),freq(3)", "0|1 V|3|0 rad"}, {"junk,,phase(1)", "0|1 V|1000 Hz|1"},
        {"dc_offset((1,2),phase(3)),phase(x)", "(1,2),phase(3)|1 V|1000 Hz|x"},
        {"dc_offset(1),dc_offset(2)", "1|1 V|1000 Hz|0 rad"}, {")))(((,,,", "0|1 V|1000 Hz|0 rad"},
        {"car_ampl(1 V),mod_depth(0)", "0|1 V|1000 Hz|0 rad"},
    };
    for (const auto& c : cases) EXPECT_EQ(AttributesOf(*Read("交流信号", c.content)), c.attributes) << c.content;
    for (const auto& [name, value] : {std::pair{"ac_ampl", "2 V"}, {"freq", "50 Hz"}, {"phase", "1 rad"}})
        EXPECT_EQ(CTaDBTDDataBase::AnalysisParaList(cases[0].content, name, 1), value);
    // Type texts without a class give a plain signal; its content is not read.
    for (const char* type : {"TACAN(塔康)", "", "交流信号 "}) {
        std::unique_ptr<CStdSignal> signal = Read(type, "dc_offset(5)");
        EXPECT_TRUE(signal && typeid(*signal) == typeid(CStdSignal) && signal->GetStdSignalType() == 0) << type;
    }
}

// Content of another shape, or one the format cannot tell apart: the signal
// read from it writes the content written out beside it (its items in
// stored order, a value never closed ending the walk), and what that
// writes reads back to the same signal.
TEST_F(SignalConversion, WhatASignalReadWritesReadsBackToTheSameSignal) {
    const struct {
        TD_SIGNALTYPE type;
        const char* content;
        const char* written;
    } contents[] = {
        {TD_SIGNAL_AC, "phase(1 rad),dc_offset((x,y)),ac_ampl(x()),freq(a,(b))",
         "dc_offset((x,y)),ac_ampl(x()),freq(a,(b)),phase(1 rad)"},
        {TD_SIGNAL_AC, "freq((a,b)),dc_offset(x(),phase(2)", "dc_offset(x(),ac_ampl(1 V),freq((a,b)),phase(2)"},
        {TD_SIGNAL_AC, "dc_offset(a),ac_ampl(b),ac_ampl(2 V),freq(50 Hz),phase(1 rad)",
         "dc_offset(a),ac_ampl(b),ac_ampl(2 V),freq(50 Hz),phase(1 rad)"},
        {TD_SIGNAL_PULSED_AC_TRAIN,
         "ac_ampl(1 x,freq(150 Hz),dc_offset(0),pulse_train((0.1,0.125,1), (0.2,0.12tail(,phase(2)),freq(5,1))",
         "ac_ampl(1 V),freq(150 Hz),dc_offset(0),pulse_train((0.1,0.125,1), (0.2,0.125,1))"},
    };
    for (const auto& [type, content, expected] : contents) {
        CTaDBActionSetup record;
        record.m_strSignalType = CStdSignal::GetSignalType(type);
        record.m_strSignalContent = content;
        std::string written[2];
        for (std::string& text : written) {
            std::unique_ptr<CStdSignal> back = ReadBack(store, store, record);
            ASSERT_TRUE(back);
            record.SetStdSignal(back.get());
            text = record.m_strSignalContent.str();
        }
        EXPECT_EQ(written[0], expected) << content;
        EXPECT_EQ(written[1], expected) << content;
    }
}

TEST(AnalysisParaList, FirstOccurrenceAndStopsAtTheFirstCommaOrBracket) {
    const struct {
        const char* list;
        const char* name;
        int index;
        const char* item;
    } cases[] = {
        {"a(1),b(2,3)", "b", 0, "2,3"}, {"a(1),b(2,3)", "b", 1, "2"}, {"a(1),b(2,3)", "b", 2, "3"},
        {"a(1),b(2,3)", "b", 3, ""},    {"a(1),b(2,3)", "b", -1, ""}, {"car_freq(1),freq(2)", "freq", 1, "1"},
        {"p((pi*8))", "p", 1, "(pi*8"}, {"abc", "abc", 0, ""},        {"abc", "abc", 1, ""},
        {"a(1,2", "a", 1, ""},          {"a()", "a", 1, ""},          {"a)", "a", 0, ""},
        {"", "a", 0, ""},               {"a(1)", "", 0, ""},          {"a(1)", "z", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTaDBTDDataBase::AnalysisParaList(c.list, c.name, c.index), c.item) << c.list << c.name << c.index;
}

TEST(MeasureInfo, LabelsAndNamesTranslateByTheSignalsOwnType) {
    const struct {
        TD_SIGNALTYPE type;
        const char* info;
        const char* asName;
        const char* asLabel;
    } cases[] = {
        {TD_SIGNAL_AC, "有效值测量", "Average", "有效值测量"},      {TD_SIGNAL_DC, "ac_ampl", "ac_ampl", "交流分量幅度"},
        {TD_SIGNAL_DC, "交流信号幅度", "交流信号幅度", "交流信号幅度"}, {TD_SIGNAL_PULSED_AC, "ac_ampl", "ac_ampl", "脉冲幅度"},
        {TD_SIGNAL_TRIANGULAR_WAVE, "周期", "period", "周期"},     {TD_SIGNAL_SINUSOID, "ampl", "ampl", "ampl"},
        {TD_SIGNAL_SINUSOID, "amplitude", "amplitude", "幅值"},   {TD_SIGNAL_RAMP, "幅值", "幅值", "幅值"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CStdSignal> signal(FindSignalClass(c.type)->create());
        signal->SetMeasureInfo(c.info);
        EXPECT_EQ(CTaDBActionSetup::GetMeasureInfo_Std(signal.get()), c.asName) << c.info;
        EXPECT_EQ(CTaDBActionSetup::GetMeasureInfo_String(signal.get()), c.asLabel) << c.info;
    }
    EXPECT_EQ(CTaDBActionSetup::GetMeasureInfo_Std(nullptr) + CTaDBActionSetup::GetMeasureInfo_String(nullptr), "");
}
