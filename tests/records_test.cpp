#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "support/Records.h"

namespace {
const std::regex kKeyForm("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");

// The classes whose key is not a fresh identifier.
template <class R>
constexpr bool kPlainKey = std::is_same_v<R, CTaDBEntry> || std::is_same_v<R, CTaDBEdition>;

// Defaults other than "" and 0, by class and column; dates are "now" unless listed as "zero".
const std::map<std::string, std::map<std::string, std::string>> kDefaults = {
    {"TestGroupTable", {{"TG_NAME", "新建测试项目"}, {"TG_TYPE", "顺序"}, {"TG_CONTROL", "none"},
                        {"TG_CONTROL_TYPE", "定量判断"}}},
    {"TestPointTable", {{"TP_NAME", "新建测试点"}}},
    {"EntryTable", {{"TEST_TYPE", "测试项目"}}},
    {"TestGroupEntryTable", {{"TEST_TYPE", "测试项目"}}},
    {"ActionReadTable", {{"READ_NUMBER", "1"}}},
    {"ActionSetupTable", {{"SIGNAL_TYPE", "直流信号"}}},
    {"ParameterTable", {{"NUMBER", "1"}, {"PARA_RANGE", "本地"}}},
    {"SignalTable", {{"SIGNAL_ROLE", "激励"}, {"SIGNAL_RANGE", "本地"}}},
    {"MeasurementTable", {{"NUMBER", "1"}, {"TEST_DATE", "zero"}}},
    {"OutcomeTable", {{"DATA_VALUE", "通过"}, {"OUTCOME_RANGE", "本地"}}},
    {"TestResultTable", {{"DATA_TYPE", "int"}, {"DATA_UNIT", "V"}, {"TR_RANGE", "全局"}}},
    {"ActionCompareTable", {{"ACT_PASS", "none"}, {"ACT_FAIL", "none"}}},
    {"TestMeasurementTable", {{"NUMBER", "1"}, {"TEST_DATE", "zero"}}},
    {"TestReplayTable", {{"MEAS_NUMBER", "1"}}},
};
}  // namespace

TEST(RecordDefaults, EveryClassStartsWithItsDefaultsAndAFreshKey) {
    const double before = COleDateTime::GetCurrentTime().m_dt;
    ForEachRecordType([&](auto sample) {
        using R = decltype(sample);
        const ColumnMap<R>& map = ColumnMapOf<R>();
        SCOPED_TRACE(map.table);
        R record;
        const double after = COleDateTime::GetCurrentTime().m_dt;
        EXPECT_EQ(record.GetErrorCode(), 1);
        EXPECT_EQ(record.GetErrorInfo(), "");
        EXPECT_EQ(record.GetErrorTrace(), "");
        auto found = kDefaults.find(map.table);
        for (const Column<R>& column : map.columns) {
            SCOPED_TRACE(column.Name());
            std::string expected;
            if (found != kDefaults.end() && found->second.count(column.Name())) expected = found->second.at(column.Name());
            if (std::string(column.Name()) == map.key) {
                if (kPlainKey<R>) {
                    EXPECT_EQ(ColumnText(record, column), "");
                } else {
                    EXPECT_TRUE(std::regex_match(ColumnText(record, column), kKeyForm)) << ColumnText(record, column);
                }
            } else if (column.Type() == ColumnType::Date) {
                double value = (record.*column.DateMember()).m_dt;
                if (expected == "zero") {
                    EXPECT_EQ(value, 0.0);
                } else {
                    EXPECT_GE(value, before);
                    EXPECT_LE(value, after);
                }
                EXPECT_EQ((record.*column.DateMember()).GetStatus(), COleDateTime::valid);
            } else {
                EXPECT_EQ(ColumnText(record, column), expected.empty() && column.Type() == ColumnType::Long ? "0" : expected);
            }
        }
    });
}

TEST(RecordDefaults, ControlNodeTextsAndTheTypedGroupConstructor) {
    const std::map<int, const char*> texts = {{0, "none"},     {1, "for"},     {2, "while"},    {3, "switch"},
                                              {4, "case"},     {5, "default"}, {6, "if"},       {7, "else if"},
                                              {8, "else"},     {9, "break"},   {10, "continue"}, {11, "goto"},
                                              {12, "return"},  {13, "end"},    {14, "call"},    {15, "none"},
                                              {-1, "none"}};
    for (const auto& [value, text] : texts) {
        EXPECT_EQ(CTaDBTestGroup::GetStringFromType(static_cast<CONTROL_NODE_TYPE>(value)), text) << value;
        CTaDBTestGroup group{static_cast<CONTROL_NODE_TYPE>(value)};
        EXPECT_EQ(group.m_strTgControl, text);
        EXPECT_EQ(group.m_strTgName, "新建测试项目");
        EXPECT_EQ(group.m_strTestType, "");
    }
    CTaDBUserInfo user;
    EXPECT_EQ(user.m_nUserValue, 0);
    EXPECT_EQ(user.m_strUserText1, "");
    EXPECT_EQ(user.m_strUserText2, "");
}

TEST(RecordKeys, TwoRecordsNeverShareAKey) {
    ForEachRecordType([](auto sample) {
        using R = decltype(sample);
        if constexpr (!kPlainKey<R>) {
            const ColumnMap<R>& map = ColumnMapOf<R>();
            R a, b;
            const Column<R>& key = map.columns.front();
            ASSERT_STREQ(key.Name(), map.key) << map.table << ": the key is the first column";
            EXPECT_NE(ColumnText(a, key), ColumnText(b, key)) << map.table;
            EXPECT_EQ(ColumnText(a, key).size(), 36u) << map.table;
        }
    });
}

TEST(RecordCopies, CopyTakesEverythingAndAssignmentFollowsTheKeyRule) {
    ForEachRecordType([](auto sample) {
        using R = decltype(sample);
        const ColumnMap<R>& map = ColumnMapOf<R>();
        SCOPED_TRACE(map.table);
        R source;
        FillRecord(source, 1);
        source.SetErrorCode(-1);
        source.SetErrorInfo("source");
        source.SetErrorTrace("Source()");

        R copy(source);
        for (const Column<R>& column : map.columns) EXPECT_EQ(ColumnText(copy, column), ColumnText(source, column));
        EXPECT_EQ(copy.GetErrorInfo(), "source");
        EXPECT_EQ(copy.GetErrorTrace(), source.GetErrorTrace());

        R target;
        FillRecord(target, 2);
        const R before(target);
        if constexpr (kPlainKey<R>) {
            R& result = (target = source);
            EXPECT_EQ(&result, &target);
            EXPECT_EQ(target.GetErrorCode(), -1);
            EXPECT_EQ(target.GetErrorInfo(), "source");
            for (const Column<R>& column : map.columns)
                EXPECT_EQ(ColumnText(target, column), ColumnText(source, column)) << column.Name();
        } else {
            static_assert(std::is_void_v<decltype(target = source)>, "content assignment returns nothing");
            target = source;
            EXPECT_EQ(target.GetErrorCode(), 1);
            EXPECT_EQ(target.GetErrorInfo(), "");
            for (const Column<R>& column : map.columns) {
                const R& expected = std::string(column.Name()) == map.key ? before : source;
                EXPECT_EQ(ColumnText(target, column), ColumnText(expected, column)) << column.Name();
            }
        }
    });
}
