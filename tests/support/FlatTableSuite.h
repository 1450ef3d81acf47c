// The table protocol's tests, written once for every table whose traits
// (see FlatTables.h) give its record, key, name and ATML ID columns and its
// operations. Each family of tables instantiates the suite with its traits:
// INSTANTIATE_TYPED_TEST_SUITE_P(Family, FlatTable, Types<...>), in a test
// file of its own that includes this header.
#pragma once
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <type_traits>
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

// Hooks for a family whose tables differ: its traits may give kClearPosition
// (when the clear's failure position does not name the table) and
// kFindColumn (when its get finds a row by another column than the key).
template <class T>
auto ClearPosition(int) -> decltype(std::string(T::kClearPosition)) { return T::kClearPosition; }
template <class T>
std::string ClearPosition(long) { return std::string("CTaDBTDDataSingle::Clear_AtmlId_") + T::kTable + "()"; }
template <class T>
auto FindColumn(int) -> decltype(std::string(T::kFindColumn)) { return T::kFindColumn; }
template <class T>
std::string FindColumn(long) { return T::kKeyColumn; }

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

TYPED_TEST_P(FlatTable, AddThenGetRoundTripsEveryColumn) {
    using R = typename TypeParam::Record;
    this->store.SetModifyState(0);
    R stored = this->Stored(7);
    EXPECT_EQ(this->store.Modified(), 1);
    EXPECT_EQ(this->store.m_dbMng.m_bRecordsetOpen, 0);
    R read;
    ASSERT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(stored)), 1);
    this->ExpectSame(read, stored);
    EXPECT_EQ(this->store.m_dbMng.m_bRecordsetOpen, 0);
    // Keys compare without regard to letter case, as project files always have.
    std::string lower = TypeParam::Key(stored).GetString();
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    R again;
    EXPECT_EQ(TypeParam::Get(this->store, again, 1, lower.c_str()), 1);
}

TYPED_TEST_P(FlatTable, UpdateRewritesTheRowWithTheRecordsKey) {
    using R = typename TypeParam::Record;
    R stored = this->Stored(1);
    this->Stored(2);
    R changed;
    FillRecord(changed, 3);
    TypeParam::Key(changed) = TypeParam::Key(stored);
    for (int mode : {0, 2, -5}) {
        TypeParam::Name(changed) = ("mode " + std::to_string(mode)).c_str();
        ASSERT_EQ(TypeParam::Add(this->store, changed, mode), 1) << mode;
        R read;
        ASSERT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(stored)), 1);
        this->ExpectSame(read, changed);
    }
    EXPECT_EQ(this->Rows("count(*)")[0][0], "2");
}

TYPED_TEST_P(FlatTable, MissingKeysOnGetAndUpdate) {
    using R = typename TypeParam::Record;
    R record;
    const R before(record);
    EXPECT_EQ(TypeParam::Get(this->store, record, 1, "no such key"), 0);
    EXPECT_EQ(this->store.GetErrorCode(), -1);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    EXPECT_TRUE(this->TraceStartsWith(this->Position("GetItem")));
    EXPECT_EQ(this->store.m_dbMng.m_bRecordsetOpen, 0);
    this->ExpectSame(record, before);

    this->store.SetModifyState(0);
    for (int mode : {0, 2}) {
        EXPECT_EQ(TypeParam::Add(this->store, record, mode), -1);
        EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
        EXPECT_TRUE(this->TraceStartsWith(this->Position("AddItem")));
    }
    EXPECT_EQ(this->store.Modified(), 0);
    EXPECT_EQ(this->Rows("count(*)")[0][0], "0");
}

TYPED_TEST_P(FlatTable, InsertOfAnExistingKeyFailsAndKeepsTheRow) {
    using R = typename TypeParam::Record;
    R stored = this->Stored(1);
    R duplicate;
    FillRecord(duplicate, 2);
    TypeParam::Key(duplicate) = TypeParam::Key(stored);
    this->store.SetModifyState(0);
    EXPECT_EQ(TypeParam::Add(this->store, duplicate, 1), -1);
    EXPECT_NE(std::string(this->store.GetErrorInfo()).find("UNIQUE constraint failed"), std::string::npos);
    EXPECT_TRUE(this->TraceStartsWith(this->Position("AddItem")));
    EXPECT_EQ(this->store.Modified(), 0);
    EXPECT_EQ(this->store.m_dbMng.m_bRecordsetOpen, 0);
    R read;
    ASSERT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(stored)), 1);
    this->ExpectSame(read, stored);
    EXPECT_EQ(this->Rows("count(*)")[0][0], "1");
}

TYPED_TEST_P(FlatTable, ListReleasesWhatTheListHeldAndReadsEveryRow) {
    using R = typename TypeParam::Record;
    static int alive = 0;
    struct Counted : R {
        Counted() { ++alive; }
        ~Counted() override { --alive; }
    };
    CObList list;
    list.AddTail(new Counted);
    list.AddTail(new Counted);
    ASSERT_EQ(TypeParam::List(this->store, list), 1);
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(list.IsEmpty());

    std::vector<R> stored;
    for (int i = 0; i < 5; ++i) stored.push_back(this->Stored(i));
    ASSERT_EQ(TypeParam::List(this->store, list), 1);
    ASSERT_EQ(list.GetCount(), 5);
    int i = 0;
    for (POSITION pos = list.GetHeadPosition(); pos; ++i) this->ExpectSame(*static_cast<R*>(list.GetNext(pos)), stored[i]);
    // The list leaves its recordset open at its end; a mode-0 get there is the end of rows.
    R extra;
    EXPECT_EQ(TypeParam::Get(this->store, extra, 0, ""), 0);
    this->store.ClearObjectList(list, TypeParam::kClass);
}

TYPED_TEST_P(FlatTable, ModeZeroGetWithoutAListFailsCleanly) {
    using R = typename TypeParam::Record;
    R record;
    EXPECT_EQ(TypeParam::Get(this->store, record, 1, "closes what is open"), 0);
    EXPECT_EQ(TypeParam::Get(this->store, record, 0, ""), -1);
    EXPECT_EQ(this->store.GetErrorCode(), -1);
    EXPECT_FALSE(this->store.GetErrorInfo().IsEmpty());
    this->store.Close();
    EXPECT_EQ(TypeParam::Get(this->store, record, 0, ""), -1);
}

TYPED_TEST_P(FlatTable, DeleteAndRenameMarkTheProjectModifiedClearDoesNot) {
    using R = typename TypeParam::Record;
    R a = this->Stored(1), b = this->Stored(2);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::Rename(this->store, TypeParam::Key(a), "新的名字"), 1);
    EXPECT_EQ(this->store.Modified(), 1);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::Rename(this->store, "no such key", "x"), 1);
    EXPECT_EQ(this->store.Modified(), 1);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::Clear(this->store), 1);
    EXPECT_EQ(this->store.Modified(), 0);
    ASSERT_EQ(TypeParam::Del(this->store, TypeParam::Key(b)), 1);
    EXPECT_EQ(this->store.Modified(), 1);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::Del(this->store, "no such key"), 1);
    EXPECT_EQ(this->store.Modified(), 1);
    auto rows = this->Rows(std::string(TypeParam::kKeyColumn) + "," + TypeParam::kNameColumn + "," + TypeParam::kAtmlColumn);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{TypeParam::Key(a).GetString(), "新的名字", ""}));
}

TYPED_TEST_P(FlatTable, HostileTextsAreStoredByteForByteAndTouchNoOtherRow) {
    using R = typename TypeParam::Record;
    const std::vector<std::string> texts = {"it's", "a'' b", "x' Or '1'='1", "--", "; Drop Table TpsTable;",
                                            "%s%d%n", "line\nbreak\r\n", "中文名称“引号”", std::string(65536, 'w'),
                                            "TABLE", "\t", "?", "%ld ?1 :a @b $c", Binaryish()};
    R bystander = this->Stored(99);
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 30));
        R record;
        TypeParam::Key(record) = text.c_str();
        TypeParam::Name(record) = text.c_str();
        TypeParam::AtmlId(record) = text.c_str();
        ASSERT_EQ(TypeParam::Add(this->store, record, 1), 1) << this->store.GetErrorInfo().GetString();
        ASSERT_EQ(TypeParam::Add(this->store, record, 0), 1);
        R read;
        ASSERT_EQ(TypeParam::Get(this->store, read, 1, text.c_str()), 1);
        EXPECT_EQ(std::string(TypeParam::Name(read)), text);
        ASSERT_EQ(TypeParam::Rename(this->store, text.c_str(), (text + "!").c_str()), 1);
        ASSERT_EQ(TypeParam::Get(this->store, read, 1, text.c_str()), 1);
        EXPECT_EQ(std::string(TypeParam::Name(read)), text + "!");
        ASSERT_EQ(TypeParam::Del(this->store, text.c_str()), 1);
        EXPECT_EQ(TypeParam::Get(this->store, read, 1, text.c_str()), 0);
    }
    // A key that would match every row if it were not quoted renames and deletes nothing.
    ASSERT_EQ(TypeParam::Rename(this->store, "x' Or '1'='1", "renamed"), 1);
    ASSERT_EQ(TypeParam::Del(this->store, "x' Or '1'='1"), 1);
    R read;
    ASSERT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(bystander)), 1);
    this->ExpectSame(read, bystander);
}

TYPED_TEST_P(FlatTable, ManagerFailuresArePassedOnWithTheOperationsPosition) {
    using R = typename TypeParam::Record;
    this->store.Close();
    R record;
    CObList list;
    const std::vector<std::pair<std::string, std::function<RESULTSTATE()>>> calls = {
        {"AddItem", [&] { return TypeParam::Add(this->store, record, 1); }},
        {"GetItem", [&] { return TypeParam::Get(this->store, record, 1, "k"); }},
        {"DelItem", [&] { return TypeParam::Del(this->store, "k"); }},
        {"RenameItem", [&] { return TypeParam::Rename(this->store, "k", "n"); }},
        {"GetAllItem", [&] { return TypeParam::List(this->store, list); }},
    };
    for (const auto& [verb, call] : calls) {
        SCOPED_TRACE(verb);
        this->store.SetErrorCode(1);
        EXPECT_EQ(call(), -1);
        EXPECT_EQ(this->store.GetErrorCode(), -1);
        EXPECT_EQ(this->store.GetErrorInfo(), "使用数据库查询之前未建立数据库连接！");
        EXPECT_TRUE(this->TraceStartsWith(this->Position(verb.c_str())));
        EXPECT_NE(std::string(this->store.GetErrorTrace()).find("-> 错误位置：CTaDBMng::"), std::string::npos);
    }
    EXPECT_EQ(TypeParam::Clear(this->store), -1);
    EXPECT_TRUE(this->TraceStartsWith(ClearPosition<TypeParam>(0)));
}

TYPED_TEST_P(FlatTable, EditionNineRefusesWithoutWritingAndTenPasses) {
    using R = typename TypeParam::Record;
    R stored = this->Stored(1);
    TypeParam::Edition(this->store) = 9;
    this->store.SetModifyState(0);
    R fresh;
    CObList list;
    EXPECT_EQ(TypeParam::Add(this->store, fresh, 1), -1);
    EXPECT_EQ(TypeParam::Add(this->store, stored, 0), -1);
    R read;
    EXPECT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(stored)), -1);
    EXPECT_EQ(TypeParam::List(this->store, list), -1);  // no records made up from defaults
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(TypeParam::Rename(this->store, TypeParam::Key(stored), "x"), -1);
    EXPECT_EQ(TypeParam::Del(this->store, TypeParam::Key(stored)), -1);
    EXPECT_EQ(this->store.Modified(), 0);
    EXPECT_EQ(this->Rows("count(*)")[0][0], "1");

    TypeParam::Edition(this->store) = 10;
    EXPECT_EQ(TypeParam::Add(this->store, fresh, 1), 1);
    EXPECT_EQ(TypeParam::List(this->store, list), 1);
    EXPECT_EQ(list.GetCount(), 2);
    this->store.ClearObjectList(list, TypeParam::kClass);
}

TYPED_TEST_P(FlatTable, NullColumnsReadAsEmptyZeroOrUnchangedDate) {
    using R = typename TypeParam::Record;
    R stored = this->Stored(1);
    // The columns the get finds its row by stay set.
    const auto kept = [](const std::string& name) {
        return name == TypeParam::kKeyColumn || name == FindColumn<TypeParam>(0);
    };
    std::string nulls;
    for (const Column<R>& column : ColumnMapOf<R>().columns)
        if (!kept(column.Name()))
            nulls += std::string(nulls.empty() ? "" : ", ") + column.Name() + " = NULL";
    RawExec(this->project, std::string("UPDATE ") + TypeParam::kTable + " SET " + nulls);
    R read;
    FillRecord(read, 2);
    const R before(read);
    ASSERT_EQ(TypeParam::Get(this->store, read, 1, TypeParam::Key(stored)), 1);
    for (const Column<R>& column : ColumnMapOf<R>().columns) {
        if (kept(column.Name())) continue;
        const std::string expected = column.Type() == ColumnType::Text   ? ""
                                     : column.Type() == ColumnType::Long ? "0"
                                                                         : ColumnText(before, column);
        EXPECT_EQ(ColumnText(read, column), expected) << column.Name();
    }
}

TYPED_TEST_P(FlatTable, AListWhoseRowReadFailsKeepsWhatItRead) {
    for (int i = 0; i < 5; ++i) this->Stored(i);
    this->store.Close();
    typename TypeParam::FailingStore failing(this->dir);
    ASSERT_EQ(failing.Open(this->project.c_str()), 1);
    CObList list;
    EXPECT_EQ(TypeParam::List(failing, list), -1);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(failing.GetErrorInfo(), "third row");
    failing.ClearObjectList(list, TypeParam::kClass);
}

TYPED_TEST_P(FlatTable, ReadOnlyProjectRefusesWritesSayingSo) {
    using R = typename TypeParam::Record;
    this->store.Close();
    RawExec(this->project, "PRAGMA journal_mode=DELETE");
    chmod(this->project.c_str(), 0444);
    AsUnprivilegedUser(this->dir, [this] {
        chmod(this->dir.Path().c_str(), 0555);
        ASSERT_EQ(this->store.Open(this->project.c_str()), 1);
        R record;
        EXPECT_EQ(TypeParam::Add(this->store, record, 1), -1);
        EXPECT_NE(std::string(this->store.GetErrorInfo()).find("can only be read"), std::string::npos)
            << this->store.GetErrorInfo().GetString();
    });
    chmod(this->dir.Path().c_str(), 0755);
}

REGISTER_TYPED_TEST_SUITE_P(FlatTable, AddThenGetRoundTripsEveryColumn, UpdateRewritesTheRowWithTheRecordsKey, MissingKeysOnGetAndUpdate, InsertOfAnExistingKeyFailsAndKeepsTheRow, ListReleasesWhatTheListHeldAndReadsEveryRow, ModeZeroGetWithoutAListFailsCleanly, DeleteAndRenameMarkTheProjectModifiedClearDoesNot, HostileTextsAreStoredByteForByteAndTouchNoOtherRow, ManagerFailuresArePassedOnWithTheOperationsPosition, EditionNineRefusesWithoutWritingAndTenPasses, NullColumnsReadAsEmptyZeroOrUnchangedDate, AListWhoseRowReadFailsKeepsWhatItRead, ReadOnlyProjectRefusesWritesSayingSo);
