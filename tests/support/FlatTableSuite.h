// The table protocol's tests, written once for every table whose traits
// (see FlatTables.h) give its record, key, name and ATML ID columns and its
// operations. The tests are in FlatTableTests.h; each family of tables
// includes it and instantiates them with its traits:
// INSTANTIATE_TYPED_TEST_SUITE_P(Family, FlatTable, Types<...>).
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/FlatTables.h"
#include "support/Records.h"

// Every byte but NUL, as a text value.
inline std::string Binaryish() {
    std::string bytes;
    for (int c = 1; c < 256; ++c) bytes += static_cast<char>(c);
    return bytes;
}

template <class T>
class FlatTable : public ::testing::Test {
protected:
    using R = typename T::Record;

    void SetUp() override {
        project = MakeProject(dir, "p.tarnprj");
        ASSERT_EQ(store.Open(project.c_str()), 1);
    }

    std::string Position(const char* verb) { return std::string("CTaDBTDDataSingle::") + verb + T::kOperation; }
    bool TraceStartsWith(const std::string& position) {
        return std::string(store.GetErrorTrace()).rfind("-> 错误位置：" + position + "，", 0) == 0;
    }
    // A record with every column set, stored with mode 1.
    R Stored(int seed) {
        R record;
        FillRecord(record, seed);
        T::Key(record) = CATMLCommonFun::CreateGUIDString();
        EXPECT_EQ(T::Add(store, record, 1), 1) << store.GetErrorInfo().GetString();
        return record;
    }
    std::vector<std::vector<std::string>> Rows(const std::string& columns) {
        return RawQuery(project, "SELECT " + columns + " FROM " + T::kTable + " ORDER BY rowid");
    }
    void ExpectSame(const R& a, const R& b) {
        for (const Column<R>& column : ColumnMapOf<R>().columns)
            EXPECT_EQ(ColumnText(a, column), ColumnText(b, column)) << column.Name();
    }

    TempDir dir;
    std::string project;
    TestStore store{dir};
};

TYPED_TEST_SUITE_P(FlatTable);
