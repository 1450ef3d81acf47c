// The table protocol, driven over the TPS, test group and test point tables.
#include "support/FlatTableSuite.h"

using StructureTables = ::testing::Types<TpsTable, TestGroupTable, TestPointTable>;
INSTANTIATE_TYPED_TEST_SUITE_P(Structure, FlatTable, StructureTables);

// Behaviour of the two tables that can be searched by ATML ID.
template <class T>
class AtmlIdTable : public FlatTable<T> {};
using AtmlIdTables = ::testing::Types<TestGroupTable, TestPointTable>;
TYPED_TEST_SUITE(AtmlIdTable, AtmlIdTables);

TYPED_TEST(AtmlIdTable, GetByAtmlIdTakesTheFirstRowAndReportsTheGetPosition) {
    using R = typename TypeParam::Record;
    R first = this->Stored(1);
    R second = this->Stored(2);
    ASSERT_EQ(TypeParam::Clear(this->store), 1);
    R read;
    ASSERT_EQ(TypeParam::GetByAtmlId(this->store, read, ""), 1);
    EXPECT_EQ(TypeParam::Key(read), TypeParam::Key(first));
    EXPECT_EQ(TypeParam::GetByAtmlId(this->store, read, "none"), 0);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    EXPECT_TRUE(this->TraceStartsWith(this->Position("GetItem")));
    (void)second;
}
