// The action tables: the table protocol's suite, and what the action tables
// add to it (their own columns, the list's key filter, the clear's gate).
#include <gtest/gtest.h>

#include "support/ActionTables.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Actions, FlatTable, ActionTables);

template <class T>
class ActionTable : public FlatTable<T> {};
TYPED_TEST_SUITE(ActionTable, ActionTables);

TYPED_TEST(ActionTable, EveryColumnIsStoredByNameFromItsMember) {
    using R = typename TypeParam::Record;
    R record;
    FillRecord(record, 1);
    for (const Column<R>& c : TypeParam::Own()) {
        if (c.Type() == ColumnType::Text) record.*c.TextMember() = (std::string(c.Name()) + " 值'").c_str();
        if (c.Type() == ColumnType::Long) record.*c.LongMember() = 4242;
    }
    ASSERT_EQ(TypeParam::Add(this->store, record, 1), 1);
    for (const Column<R>& c : TypeParam::Own())
        EXPECT_EQ(this->Rows(c.Name())[0][0], c.Type() == ColumnType::Text ? std::string(c.Name()) + " 值'" : "4242");
    const char* kinds[] = {"text", "integer", "real"};
    for (const Column<R>& c : ColumnMapOf<R>().columns) {
        const auto row = this->Rows(std::string("typeof(") + c.Name() + "), " + c.Name())[0];
        EXPECT_EQ(row[0], kinds[static_cast<int>(c.Type())]) << c.Name();
        if (c.Type() == ColumnType::Date) {
            EXPECT_NEAR(std::stod(row[1]), (record.*c.DateMember()).m_dt, 1e-9) << c.Name();
        } else {
            EXPECT_EQ(row[1], ColumnText(record, c)) << c.Name();
        }
    }
    EXPECT_EQ(TypeParam::Add(this->store, record, 1), -1);  // a stored key, refused by the database
    EXPECT_NE(std::string(this->store.GetErrorInfo()).find("UNIQUE"), std::string::npos);
}

TYPED_TEST(ActionTable, TheListFiltersOnTheActionKeyAndNamesItsClassToTheRelease) {
    using R = typename TypeParam::Record;
    struct NamingStore : TestStore {
        using TestStore::TestStore;
        std::string released;
        void ClearObjectList(CObList& list, CString className) override {
            released = className.GetString();
            TestStore::ClearObjectList(list, className);
        }
    };
    const CString first = this->Stored(1).m_strActionUuid;
    this->Stored(2);
    R quoted;
    quoted.m_strActionUuid = "it's";
    ASSERT_EQ(TypeParam::Add(this->store, quoted, 1), 1);
    this->store.Close();
    NamingStore naming(this->dir);
    ASSERT_EQ(naming.Open(this->project.c_str()), 1);
    CObList list;
    for (const auto& [filter, count] : std::vector<std::pair<CString, int>>{
             {"", 3}, {first, 1}, {"it's", 1}, {"x' Or '1'='1", 0}, {"no such key", 0}}) {
        list.AddTail(new R);
        naming.released.clear();
        ASSERT_EQ(TypeParam::List(naming, list, filter), 1) << filter.GetString();
        EXPECT_EQ(naming.released, TypeParam::kClass);
        ASSERT_EQ(list.GetCount(), count) << filter.GetString();
        EXPECT_TRUE(count != 1 || static_cast<R*>(list.GetHead())->m_strActionUuid == filter);
    }
    naming.Close();
    EXPECT_EQ(TypeParam::List(naming, list, ""), -1);
    EXPECT_TRUE(list.IsEmpty());
}

TYPED_TEST(ActionTable, TheClearWaitsForTheTestGroupEditionNotItsOwn) {
    this->Stored(1);
    this->Stored(2);
    TypeParam::Edition(this->store) = 9;
    ASSERT_EQ(TypeParam::Clear(this->store), 1);
    EXPECT_EQ(this->Rows("ACTION_ATML_ID"), (std::vector<std::vector<std::string>>{{""}, {""}}));
    TypeParam::Edition(this->store) = 10;
    this->store.m_nEditionTestGroupTable = 9;
    EXPECT_EQ(TypeParam::Clear(this->store), -1);
    EXPECT_TRUE(this->TraceStartsWith(TypeParam::kClearPosition));
}
