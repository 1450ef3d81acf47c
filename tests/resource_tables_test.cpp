// The resource tables: the table protocol over each family, then what is
// their own: the look-ups by name and ATML ID, the list filters and the
// clears' edition.
#include "support/FlatTableSuite.h"
#include "support/ResourceTables.h"

using ResourceTables = ::testing::Types<FormulaTable, MessageHintTable, InstrumentTable, ParameterTable, SignalTable>;
INSTANTIATE_TYPED_TEST_SUITE_P(Resources, FlatTable, ResourceTables);

template <class T>
class LookUp : public FlatTable<T> {
protected:
    using R = typename T::Record;
    // One look-up, at edition 10 and at 9: the expected row, or none.
    void ExpectFinds(const std::function<RESULTSTATE(R&)>& find, const R* expected) {
        for (int edition : {10, 9}) {
            T::Edition(this->store) = edition;
            R read;
            const R before(read);
            const RESULTSTATE result = find(read);
            EXPECT_EQ(result, edition < 10 ? -1 : expected ? 1 : 0) << edition;
            this->ExpectSame(read, result == 1 && expected ? *expected : before);
            EXPECT_TRUE(result == 1 || this->TraceStartsWith(this->Position("GetItem")));
            EXPECT_TRUE(result != 0 || this->store.GetErrorInfo() == "数据库中不存在指定记录！");
        }
        T::Edition(this->store) = 10;
    }
    // The keys a filtered list gives, in table order.
    void ExpectLists(const CString& filter, const std::vector<R*>& expected) {
        CObList list;
        ASSERT_EQ(T::List(this->store, list, filter), 1);
        std::vector<std::string> keys, expectedKeys;
        for (POSITION pos = list.GetHeadPosition(); pos;) keys.push_back(T::Key(*static_cast<R*>(list.GetNext(pos))).str());
        for (R* record : expected) expectedKeys.push_back(T::Key(*record).str());
        EXPECT_EQ(keys, expectedKeys) << filter.GetString();
        this->store.ClearObjectList(list, T::kClass);
    }
    // A row whose key sorts before those of the rows added earlier.
    R Add(const char* name, const char* tpUuid, const char* range = "本地") {
        R record;
        T::Key(record) = ("key " + std::to_string(9 - added++)).c_str();
        T::Name(record) = name;
        T::AtmlId(record) = "ID1";
        record.m_strTpUuid = tpUuid;
        if constexpr (std::is_same_v<R, CTaDBSignal>) record.m_strSignalRange = range;
        EXPECT_EQ(T::Add(this->store, record, 1), 1);
        return record;
    }
    int added = 0;
};

using SignalLookUp = LookUp<SignalTable>;

TEST_F(SignalLookUp, EachLookUpKeepsToItsScopeAndTakesTheFirstMatchInTableOrder) {
    CTaDBSignal global = Add("Clock", "tpA", "全局"), later = Add("CLOCK", "", "全局"), localA = Add("clock", "tpA"),
                localB = Add("Clock", "tp'B"), probe = Add("Probe", "tpA");
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, "cLOCK"); }, &global);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, "Probe"); }, nullptr);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, "CLOCK", "TPA"); }, &localA);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, "Clock", "tp'B"); }, &localB);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, "Clock", "tp' Or '1'='1"); }, nullptr);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal_ATMLID(r, "id1", "tpA"); }, &localA);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal_ATMLID(r, "ID1", ""); }, nullptr);
    ExpectFinds([&](CTaDBSignal& r) { return store.GetItem_Signal(r, 1, later.m_strSignalUuid); }, &later);

    ExpectLists("", {&global, &later, &localA, &localB, &probe});
    ExpectLists("TPA", {&localA, &probe});
    ExpectLists("tp'B", {&localB});
    ExpectLists("tp' Or '1'='1", {});
}

using ParameterLookUp = LookUp<ParameterTable>;

TEST_F(ParameterLookUp, ByNameTakesTheFirstOfTheTableAndTheListFiltersByTestPoint) {
    CTaDBParameter gainA = Add("Gain", "tpA"), gainB = Add("GAIN", "tp'B"), quoted = Add("it's", "tp'B");
    ExpectFinds([&](CTaDBParameter& r) { return store.GetItem_Parameter(r, "gain"); }, &gainA);
    ExpectFinds([&](CTaDBParameter& r) { return store.GetItem_Parameter(r, "it's"); }, &quoted);
    ExpectFinds([&](CTaDBParameter& r) { return store.GetItem_Parameter(r, "x' Or '1'='1"); }, nullptr);

    ExpectLists("", {&gainA, &gainB, &quoted});
    ExpectLists("tp'b", {&gainB, &quoted});
    ExpectLists("x' Or '1'='1", {});
}

template <class T>
class Resource : public LookUp<T> {};
TYPED_TEST_SUITE(Resource, ResourceTables);

// The formula, message and instrument lists filter on the key; the other two on the test point.
TYPED_TEST(Resource, AFilterSelectsItsOwnRowsOnly) {
    constexpr bool byTestPoint = std::is_same_v<TypeParam, ParameterTable> || std::is_same_v<TypeParam, SignalTable>;
    auto other = this->Stored(2);
    typename TypeParam::Record quoted;
    TypeParam::Key(quoted) = "k'1";
    if constexpr (byTestPoint) quoted.m_strTpUuid = "t'1";
    ASSERT_EQ(TypeParam::Add(this->store, quoted, 1), 1);
    this->ExpectLists(byTestPoint ? "T'1" : "K'1", {&quoted});
    this->ExpectLists(byTestPoint ? "K'1" : "T'1", {});
    this->ExpectLists("k' Or '1'='1", {});
    this->ExpectLists("", {&other, &quoted});
}

// Every clear is gated by the test group table's edition, not its own.
TYPED_TEST(Resource, ClearFollowsTheTestGroupEdition) {
    TypeParam::Edition(this->store) = 9;
    EXPECT_EQ(TypeParam::Clear(this->store), 1);
    TypeParam::Edition(this->store) = 10;
    this->store.m_nEditionTestGroupTable = 9;
    EXPECT_EQ(TypeParam::Clear(this->store), -1);
}
