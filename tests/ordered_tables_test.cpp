// The sequence operations, driven over the three ordered tables.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/ado/Connection.h"
#include "support/OrderedTables.h"

namespace {
const char kWrongPosition[] = "输入序号有误！";

template <class T>
class OrderedTable : public ::testing::Test {
protected:
    using Ids = std::vector<std::string>;

    void SetUp() override {
        project = MakeProject(dir, "p.tarnprj");
        ASSERT_EQ(store.Open(project.c_str()), 1);
    }
    // Appends ids at the positions the store gives.
    void Append(const std::string& scope, const Ids& ids) {
        for (const std::string& id : ids) {
            long next = 0;
            ASSERT_EQ(T::NewSequence(store, scope.c_str(), next), 1);
            ASSERT_EQ(T::Add(store, scope.c_str(), id.c_str(), next), 1) << store.GetErrorInfo().GetString();
        }
    }
    Ids Of(const std::string& scope = "S") { return ::Ids<T>(project, scope); }
    ::testing::AssertionResult WholeIn(const std::string& scope = "S") { return Whole<T>(project, scope); }
    bool TraceStartsWith(const std::string& position) {
        return std::string(store.GetErrorTrace()).rfind("-> 错误位置：" + position + "，", 0) == 0;
    }
    void ExpectRefused(RESULTSTATE result, const char* message, const char* position) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(store.GetErrorCode(), -1);
        EXPECT_EQ(store.GetErrorInfo(), message);
        EXPECT_TRUE(TraceStartsWith(position)) << store.GetErrorTrace().GetString();
    }

    TempDir dir;
    std::string project;
    TestStore store{dir};
    const Ids five{"a", "b", "c", "d", "e"};
};

using Tables = ::testing::Types<EntryList, GroupStepList, ActionStepList>;
TYPED_TEST_SUITE(OrderedTable, Tables);
}  // namespace

TYPED_TEST(OrderedTable, NextPositionOfAnEmptyListIsOneAndNothingMoves) {
    long next = 0;
    ASSERT_EQ(TypeParam::NewSequence(this->store, "S", next), 1);
    EXPECT_EQ(next, 1);
    for (int type = 0; type < 4; ++type) EXPECT_EQ(TypeParam::Move(this->store, "S", 1, type), 0) << type;
}

TYPED_TEST(OrderedTable, MovesAtBothEndsAndInTheMiddle) {
    this->Append("S", this->five);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::Move(this->store, "S", 3, MOVEITEM_UP), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "c", "b", "d", "e"}));
    ASSERT_EQ(TypeParam::Move(this->store, "S", 2, MOVEITEM_DOWN), 1);
    EXPECT_EQ(this->Of(), this->five);
    ASSERT_EQ(TypeParam::Move(this->store, "S", 3, MOVEITEM_TOP), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"c", "a", "b", "d", "e"}));
    ASSERT_EQ(TypeParam::Move(this->store, "S", 1, MOVEITEM_BOTTOM), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "b", "d", "e", "c"}));
    ASSERT_EQ(TypeParam::Move(this->store, "S", 5, MOVEITEM_TOP), 1);
    ASSERT_EQ(TypeParam::Move(this->store, "S", 4, MOVEITEM_BOTTOM), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"c", "a", "b", "e", "d"}));
    EXPECT_TRUE(this->WholeIn());
    EXPECT_EQ(this->store.Modified(), 0);
}

TYPED_TEST(OrderedTable, MovesPastTheEndsAreRefusedWithTheTablesTexts) {
    this->Append("S", this->five);
    const char* position = TypeParam::kSequencePosition;
    this->ExpectRefused(TypeParam::Move(this->store, "S", 1, MOVEITEM_UP), TypeParam::kMoveRefusals[0], position);
    this->ExpectRefused(TypeParam::Move(this->store, "S", 5, MOVEITEM_DOWN), TypeParam::kMoveRefusals[1], position);
    this->ExpectRefused(TypeParam::Move(this->store, "S", 1, MOVEITEM_TOP), TypeParam::kMoveRefusals[2], position);
    this->ExpectRefused(TypeParam::Move(this->store, "S", 5, MOVEITEM_BOTTOM), TypeParam::kMoveRefusals[3], position);
    // An unknown direction, whatever its value, changes nothing and leaves the error state as it was.
    this->store.SetErrorInfo("kept");
    for (int type : {4, -1, INT_MIN}) EXPECT_EQ(TypeParam::Move(this->store, "S", 3, type), -1) << type;
    EXPECT_EQ(this->store.GetErrorInfo(), "kept");
    // Below the first position a move down is an exchange with no row: refused.
    this->ExpectRefused(TypeParam::Move(this->store, "S", 0, MOVEITEM_DOWN), kWrongPosition, position);
    EXPECT_EQ(this->Of(), this->five);
}

TYPED_TEST(OrderedTable, ExchangeSwapsTwoPositionsOnly) {
    this->Append("S", this->five);
    ASSERT_EQ(TypeParam::Swop(this->store, "S", 2, 4), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "d", "c", "b", "e"}));
    ASSERT_EQ(TypeParam::Swop(this->store, "S", 3, 3), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "d", "c", "b", "e"}));
    this->ExpectRefused(TypeParam::Swop(this->store, "S", 0, 2), kWrongPosition, TypeParam::kSequencePosition);
    EXPECT_EQ(TypeParam::Swop(this->store, "S", 2, 9), 0);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    EXPECT_TRUE(this->WholeIn());
}

TYPED_TEST(OrderedTable, RenumberingToFirstAndLastShiftsTheRowsBetween) {
    this->Append("S", this->five);
    ASSERT_EQ(TypeParam::Set(this->store, "S", 5, 2), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "e", "b", "c", "d"}));
    ASSERT_EQ(TypeParam::Set(this->store, "S", 2, 4), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "b", "c", "e", "d"}));
    ASSERT_EQ(TypeParam::Set(this->store, "S", 4, 1), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"e", "a", "b", "c", "d"}));
    ASSERT_EQ(TypeParam::Set(this->store, "S", 1, 5), 1);
    EXPECT_EQ(this->Of(), this->five);
    EXPECT_TRUE(this->WholeIn());

    for (auto [from, to] : {std::pair<long, long>{3, 6}, {6, 3}, {0, 2}, {2, 0}, {-1, 3}}) {
        this->ExpectRefused(TypeParam::Set(this->store, "S", from, to), kWrongPosition, TypeParam::kRefusePosition);
    }
    this->store.SetErrorInfo("kept");
    EXPECT_EQ(TypeParam::Set(this->store, "S", 3, 3), 0);
    EXPECT_EQ(this->store.GetErrorInfo(), "kept");
    EXPECT_EQ(this->Of(), this->five);
}

TYPED_TEST(OrderedTable, DeleteByPositionClosesTheGap) {
    this->Append("S", this->five);
    ASSERT_EQ(TypeParam::DelAt(this->store, "S", 2), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "c", "d", "e"}));
    ASSERT_EQ(TypeParam::DelAt(this->store, "S", 4), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "c", "d"}));
    this->ExpectRefused(TypeParam::DelAt(this->store, "S", 0), kWrongPosition, TypeParam::kSequencePosition);
    this->ExpectRefused(TypeParam::DelAt(this->store, "S", -3), kWrongPosition, TypeParam::kSequencePosition);
    ASSERT_EQ(TypeParam::DelAt(this->store, "S", 9), 1);  // beyond the list: nothing to delete
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "c", "d"}));
    EXPECT_TRUE(this->WholeIn());
}

TYPED_TEST(OrderedTable, DeleteByKeyRemovesOnlyTheNamedRowAndClosesItsGap) {
    this->Append("S", this->five);
    this->store.SetModifyState(0);
    ASSERT_EQ(TypeParam::DelId(this->store, "c"), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "b", "d", "e"}));
    EXPECT_TRUE(this->WholeIn());
    ASSERT_EQ(TypeParam::DelId(this->store, "no such key"), 1);
    EXPECT_EQ(this->store.GetErrorInfo(), "数据库中不存在指定记录！");
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "b", "d", "e"}));
    EXPECT_EQ(this->store.Modified(), 0);
}

TYPED_TEST(OrderedTable, ARowThatSharesAPositionIsNotDeletedWithTheNamedOne) {
    this->Append("S", {"a", "b", "c"});
    ASSERT_EQ(TypeParam::Add(this->store, "S", "twin", 2), 1);  // shares position 2 with b
    ASSERT_EQ(TypeParam::DelId(this->store, "b"), 1);
    auto order = Order<TypeParam>(this->project, "S");
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], (std::pair<std::string, long>{"a", 1}));
    EXPECT_NE(std::find(order.begin(), order.end(), std::pair<std::string, long>{"twin", 2}), order.end());
    EXPECT_NE(std::find(order.begin(), order.end(), std::pair<std::string, long>{"c", 2}), order.end());
}

TYPED_TEST(OrderedTable, NextPositionNeverRepeatsOneThatARowHolds) {
    this->Append("S", {"a", "b", "c"});
    const std::string key =
        RawQuery(this->project, std::string("SELECT ") + TypeParam::kKeyColumn + " FROM " + TypeParam::kTable +
                                    " WHERE " + TypeParam::kIdColumn + " = 'b'")[0][0];
    ASSERT_EQ(TypeParam::DelItem(this->store, key.c_str()), 1);  // leaves a gap at 2
    long next = 0;
    ASSERT_EQ(TypeParam::NewSequence(this->store, "S", next), 1);
    EXPECT_EQ(next, 4);
    this->Append("S", {"d"});
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "c", "d"}));
    // The last row is reachable, and deleting the empty position closes the gap.
    ASSERT_EQ(TypeParam::Move(this->store, "S", 3, MOVEITEM_DOWN), 1);
    ASSERT_EQ(TypeParam::DelAt(this->store, "S", 2), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"a", "d", "c"}));
    EXPECT_TRUE(this->WholeIn());
}

TYPED_TEST(OrderedTable, AFailurePartWayLeavesTheOrderAsItWas) {
    this->Append("S", this->five);
    // The last step of a renumbering fails: its shift is undone too. The
    // failure comes from a temporary trigger of the store's own connection,
    // the only kind that runs there.
    const std::string trigger = std::string("CREATE TEMP TRIGGER Fail BEFORE UPDATE ON ") + TypeParam::kTable +
                                " WHEN NEW.SEQUENCE = 1 AND OLD." + TypeParam::kIdColumn +
                                " = 'e' BEGIN SELECT RAISE(ABORT, 'injected'); END";
    ASSERT_EQ(this->store.m_dbMng.Execute(trigger.c_str()), 1);
    EXPECT_EQ(TypeParam::Set(this->store, "S", 5, 1), -1);
    EXPECT_NE(std::string(this->store.GetErrorInfo()).find("injected"), std::string::npos);
    EXPECT_EQ(this->Of(), this->five);
    // A move to the top fails at its last exchange: the earlier exchanges are undone.
    EXPECT_EQ(TypeParam::Move(this->store, "S", 5, MOVEITEM_TOP), -1);
    EXPECT_EQ(this->Of(), this->five);
    EXPECT_TRUE(this->WholeIn());
    ASSERT_EQ(this->store.m_dbMng.Execute("DROP TRIGGER Fail"), 1);
    ASSERT_EQ(TypeParam::Move(this->store, "S", 5, MOVEITEM_TOP), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"e", "a", "b", "c", "d"}));
}

// A store whose exchange fails on its n-th call, as a derived store may; or
// whose n-th call first runs statements of its own (ending the move's
// transaction, as the engine does on a full disk), and then exchanges.
template <class T>
struct FailingSwopStore : TestStore {
    using TestStore::TestStore;
    int calls = 0, failAt = 3;
    std::vector<const char*> statementsFirst;
    template <class Exchange>
    RESULTSTATE At(Exchange exchange) {
        if (++calls != failAt) return exchange();
        if (!statementsFirst.empty()) {
            for (const char* sql : statementsFirst)
                if (m_dbMng.Execute(sql) != 1) return 0;
            return exchange();
        }
        SetErrorCode(-1);
        SetErrorInfo("refused by the derived store");
        return -1;
    }
    RESULTSTATE MoveSequence_Swop_EntryTable(long a, long b) override {
        return At([&] { return TestStore::MoveSequence_Swop_EntryTable(a, b); });
    }
    RESULTSTATE MoveSequence_Swop_TestGroupEntryTable(CString g, long a, long b) override {
        return At([&] { return TestStore::MoveSequence_Swop_TestGroupEntryTable(g, a, b); });
    }
    RESULTSTATE MoveSequence_Swop_TestActionEntry(CString tp, long a, long b) override {
        return At([&] { return TestStore::MoveSequence_Swop_TestActionEntry(tp, a, b); });
    }
};

TYPED_TEST(OrderedTable, AnOverrideThatFailsPartWayUndoesTheWholeMove) {
    this->Append("S", this->five);
    this->store.Close();
    FailingSwopStore<TypeParam> failing(this->dir);
    ASSERT_EQ(failing.Open(this->project.c_str()), 1);
    EXPECT_EQ(TypeParam::Move(failing, "S", 5, MOVEITEM_TOP), -1);
    EXPECT_EQ(failing.calls, 3);
    EXPECT_EQ(failing.GetErrorInfo(), "refused by the derived store");
    EXPECT_EQ(this->Of(), this->five);
    failing.calls = -100;
    ASSERT_EQ(TypeParam::Move(failing, "S", 5, MOVEITEM_TOP), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"e", "a", "b", "c", "d"}));
}

TYPED_TEST(OrderedTable, AnExchangeAfterTheMovesTransactionEndedCommitsNothing) {
    this->Append("S", this->five);
    this->store.Close();
    FailingSwopStore<TypeParam> failing(this->dir);
    failing.statementsFirst = {"ROLLBACK"};
    ASSERT_EQ(failing.Open(this->project.c_str()), 1);
    // The exchange inside the move is refused rather than run in a
    // transaction of its own, and what the move did before is gone with its
    // transaction.
    EXPECT_EQ(TypeParam::Move(failing, "S", 5, MOVEITEM_TOP), -1);
    EXPECT_NE(std::string(failing.GetErrorInfo()).find("has ended"), std::string::npos) << failing.GetErrorInfo();
    EXPECT_EQ(failing.calls, 3);
    EXPECT_EQ(this->Of(), this->five);
    ASSERT_EQ(TypeParam::Swop(failing, "S", 1, 2), 1);
    EXPECT_EQ(this->Of(), (typename TestFixture::Ids{"b", "a", "c", "d", "e"}));
    // A transaction the derived store begins after committing the move's is
    // its own: the move neither joins it nor commits or undoes it.
    failing.calls = 0;
    failing.statementsFirst = {"COMMIT", "BEGIN", "INSERT INTO TpsTable (TPS_UUID) VALUES ('own')"};
    EXPECT_EQ(TypeParam::Move(failing, "S", 5, MOVEITEM_TOP), -1);
    EXPECT_NE(std::string(failing.GetErrorInfo()).find("has ended"), std::string::npos) << failing.GetErrorInfo();
    EXPECT_TRUE(failing.m_dbMng.m_pConnection->InTransaction());
    ASSERT_EQ(failing.m_dbMng.Execute("COMMIT"), 1);
    CTaDBTps own;
    EXPECT_EQ(failing.GetItem_Tps(own, 1, "own"), 1);
}

TYPED_TEST(OrderedTable, EditionNineFailsWithoutChangingAnything) {
    this->Append("S", this->five);
    TypeParam::Edition(this->store) = 9;
    EXPECT_EQ(TypeParam::Set(this->store, "S", 5, 1), -1);
    EXPECT_EQ(TypeParam::Move(this->store, "S", 5, MOVEITEM_TOP), -1);
    EXPECT_EQ(TypeParam::Swop(this->store, "S", 1, 2), -1);
    EXPECT_EQ(TypeParam::DelAt(this->store, "S", 1), -1);
    EXPECT_EQ(TypeParam::DelId(this->store, "a"), -1);
    EXPECT_EQ(this->Of(), this->five);
}

TYPED_TEST(OrderedTable, RandomSequencesKeepEveryScopeWhole) {
    std::mt19937 random(1207);
    const std::vector<std::string> scopes = TypeParam::kScopeColumn ? std::vector<std::string>{"S", "T", "U"}
                                                                    : std::vector<std::string>{"S"};
    int made = 0;
    for (int step = 0; step < 1000; ++step) {
        const std::string scope = scopes[random() % scopes.size()];
        long next = 0;
        ASSERT_EQ(TypeParam::NewSequence(this->store, scope.c_str(), next), 1);
        const long count = next - 1;
        const long a = static_cast<long>(random() % (count + 2));  // 0 .. count+1: the edges too
        const long b = static_cast<long>(random() % (count + 2));
        const auto ids = this->Of(scope);
        RESULTSTATE result = 1;
        switch (random() % 7) {
            case 0:
            case 1: result = TypeParam::Add(this->store, scope.c_str(), ("id" + std::to_string(made++)).c_str(), next); break;
            case 2: result = TypeParam::Move(this->store, scope.c_str(), a, static_cast<int>(random() % 4)); break;
            case 3: result = TypeParam::Swop(this->store, scope.c_str(), a, b); break;
            case 4: result = TypeParam::Set(this->store, scope.c_str(), a, b); break;
            case 5: result = TypeParam::DelAt(this->store, scope.c_str(), a); break;
            case 6:
                if (!ids.empty()) result = TypeParam::DelId(this->store, ids[random() % ids.size()].c_str());
                break;
        }
        ASSERT_NE(result, -1) << "step " << step << ": " << this->store.GetErrorInfo().GetString();
        for (const std::string& s : scopes) ASSERT_TRUE(this->WholeIn(s)) << "after step " << step;
    }
}

// Behaviour of the two tables whose lists belong to a parent.
template <class T>
class ScopedTable : public OrderedTable<T> {};
using ScopedTables = ::testing::Types<GroupStepList, ActionStepList>;
TYPED_TEST_SUITE(ScopedTable, ScopedTables);

TYPED_TEST(ScopedTable, OperationsStayInsideTheirScope) {
    this->Append("G1", {"a", "b", "c"});
    this->Append("G2", {"x", "y", "z"});
    long next = 0;
    ASSERT_EQ(TypeParam::NewSequence(this->store, "G1", next), 1);
    EXPECT_EQ(next, 4);
    ASSERT_EQ(TypeParam::NewSequence(this->store, "nobody", next), 1);
    EXPECT_EQ(next, 1);
    ASSERT_EQ(TypeParam::Set(this->store, "G1", 3, 2), 1);
    ASSERT_EQ(TypeParam::DelAt(this->store, "G1", 1), 1);
    EXPECT_EQ(this->Of("G1"), (typename TestFixture::Ids{"c", "b"}));
    EXPECT_EQ(this->Of("G2"), (typename TestFixture::Ids{"x", "y", "z"}));
}

TYPED_TEST(ScopedTable, DeletingAnItemClosesTheGapInEveryScopeItStoodIn) {
    this->Append("G1", {"a", "shared", "b"});
    this->Append("G2", {"shared", "c", "d"});
    this->Append("G3", {"e", "f", "shared"});
    ASSERT_EQ(TypeParam::DelId(this->store, "shared"), 1);
    EXPECT_EQ(this->Of("G1"), (typename TestFixture::Ids{"a", "b"}));
    EXPECT_EQ(this->Of("G2"), (typename TestFixture::Ids{"c", "d"}));
    EXPECT_EQ(this->Of("G3"), (typename TestFixture::Ids{"e", "f"}));
    for (const char* scope : {"G1", "G2", "G3"}) EXPECT_TRUE(this->WholeIn(scope)) << scope;
}

TYPED_TEST(ScopedTable, DeletingAParentRemovesItsWholeList) {
    this->Append("G1", {"a", "b"});
    this->Append("P", {"x", "G1", "y"});
    ASSERT_EQ(TypeParam::DelId(this->store, "G1"), 1);
    EXPECT_TRUE(this->Of("G1").empty());
    if (std::string(TypeParam::kIdColumn) == "TEST_UUID") {  // a group is also a child of its parent
        EXPECT_EQ(this->Of("P"), (typename TestFixture::Ids{"x", "y"}));
        EXPECT_TRUE(this->WholeIn("P"));
    }
}
