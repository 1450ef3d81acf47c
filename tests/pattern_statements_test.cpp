// The library's statements found by their patterns: each pattern's text is
// made once per connection, its statements are kept in the pattern's slot
// and go with the connection; rows read where the engine holds them give
// the values a held copy gives; the manager's preset state is exact.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "ATMLViewLayer/TaDB/DBActTD/SqlText.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/StatementCache.h"
#include "support/TestStore.h"

namespace {
const char kByKey[] = "Select * From TpsTable Where TPS_UUID='%s'";
int g_textsMade = 0;
std::string CountedText(const char* pattern, size_t values) {
    ++g_textsMade;
    return sqltext::Parameters(pattern, values);
}
ado::Command ByKey(const char* key) {
    return ado::Command{std::string(), {ado::Variant(key)}, ado::Origin::Library, kByKey, &CountedText};
}

// The preset state a query leaves, recorded the plain way.
class Preset : public CATMLError {
public:
    explicit Preset(const char* position) { RecordFailure("未知错误！", position); }
};
}  // namespace

TEST(PatternSlots, AreFoundByAddressAndUseAndGoWithTheirConnection) {
    TempDir dir;
    RawExec(dir.File("t.db"), "CREATE TABLE T (K TEXT); INSERT INTO T VALUES ('a'),('b');");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dir.File("t.db").c_str(), &db), SQLITE_OK);
    ado::StatementCache cache(2, 2);
    static const char kOne[] = "SELECT K FROM T ORDER BY K", kTwin[] = "SELECT K FROM T ORDER BY K";
    ado::PatternSlot& query = cache.Slot(kOne, ado::PatternUse::Query);
    EXPECT_EQ(&cache.Slot(kOne, ado::PatternUse::Query), &query);
    EXPECT_NE(&cache.Slot(kOne, ado::PatternUse::Run), &query);
    EXPECT_NE(&cache.Slot(kTwin, ado::PatternUse::Query), &query);
    EXPECT_EQ(cache.SlotCount(), 3u);
    query.text = kOne;
    {
        ado::StatementLease first = cache.Lend(db, query);
        ado::StatementLease second = cache.Lend(db, query);  // a twin while the first is out
        ASSERT_TRUE(first->Step() && second->Step() && first->Step());
        EXPECT_EQ(first->Column(0).ToText(), "b");
        EXPECT_EQ(second->Column(0).ToText(), "a");
    }
    ASSERT_TRUE(query.idle);
    ado::Statement* kept = query.idle.get();
    ado::StatementLease again = cache.Lend(db, query);
    EXPECT_EQ(&*again, kept);
    EXPECT_FALSE(query.idle);
    ASSERT_TRUE(again->Step());
    EXPECT_EQ(again->Column(0).ToText(), "a");  // given back, it starts again
    cache.Clear();
    EXPECT_EQ(cache.SlotCount(), 0u);
    EXPECT_THROW(again->Step(), ado::ComError);  // finalized while out
    again.reset();                               // and not kept
    EXPECT_EQ(sqlite3_close(db), SQLITE_OK);
}

TEST(PatternStatements, TheTextIsMadeOncePerConnection) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New(dir.File("p.tarnprj").c_str(), 1), 1);
    for (const char* key : {"k1", "k2"}) {
        CTaDBTps record;
        record.m_strTpsUuid = key;
        ASSERT_EQ(store.AddItem_Tps(record, 1), 1);
    }
    g_textsMade = 0;
    for (const char* key : {"k1", "k2", "k1", "none"}) {
        ASSERT_EQ(store.m_dbMng.QueryDataInDB(ByKey(key)), 1);
        const bool found = std::string(key) != "none";
        ASSERT_EQ(store.m_dbMng.GetRecordset()->IsEOF(), !found);
        if (found) {
            EXPECT_EQ(store.m_dbMng.GetRecordset()->GetCollect("TPS_UUID").ToText(), key);
        }
    }
    EXPECT_EQ(g_textsMade, 1);
    ASSERT_EQ(store.Close(), 1);
    ASSERT_EQ(store.Open(dir.File("p.tarnprj").c_str()), 1);
    ASSERT_EQ(store.m_dbMng.QueryDataInDB(ByKey("k2")), 1);
    EXPECT_FALSE(store.m_dbMng.GetRecordset()->IsEOF());
    EXPECT_EQ(g_textsMade, 2);
}

TEST(PatternStatements, ARowReadInTheEngineGivesWhatItsHeldCopyGives) {
    TempDir dir;
    TestStore store(dir);
    const std::string path = dir.File("p.tarnprj");
    ASSERT_EQ(store.New(path.c_str(), 1), 1);
    store.Close();
    const std::string longText(100, 'x');
    RawExec(path, "INSERT INTO TpsTable (TPS_UUID, TPS_NAME, TPS_DESCRIPTION, RESERVER1, CREATE_DATE) VALUES "
                  "('k1', 'a' || char(0) || 'b', '" + longText + "', '7', NULL), "
                  "('k2', NULL, 12, 2.6, 45000.25)");
    ASSERT_EQ(store.Open(path.c_str()), 1);
    const char* columns[] = {"TPS_UUID", "TPS_NAME", "TPS_DESCRIPTION", "RESERVER1", "CREATE_DATE"};
    ASSERT_EQ(store.m_dbMng.QueryDataInDB("Select * From TpsTable Order By TPS_UUID"), 1);
    ado::RecordsetPtr rows = store.m_dbMng.GetRecordset();
    for (; !rows->IsEOF(); rows->MoveNext()) {
        std::vector<ado::Variant> live;
        for (const char* column : columns) live.push_back(rows->View(column).Value());
        for (size_t i = 0; i < live.size(); ++i) {
            EXPECT_EQ(rows->Field(columns[i]), live[i]) << columns[i];  // holds the row
            EXPECT_EQ(rows->View(columns[i]).Value(), live[i]) << columns[i];
        }
    }
    // The row reader, by key and listed, keeps every byte and reads numbers from texts.
    const double before = COleDateTime::GetCurrentTime().m_dt;
    CTaDBTps first;
    ASSERT_EQ(store.GetItem_Tps(first, 1, "k1"), 1);
    EXPECT_EQ(first.m_strTpsName.str(), std::string("a\0b", 3));
    EXPECT_EQ(first.m_strTpsDescription.str(), longText);
    EXPECT_EQ(first.m_nReserver1, 7);
    EXPECT_GE(first.m_dtCreateDate.m_dt, before);  // a NULL date leaves the fresh record's
    CObList list;
    ASSERT_EQ(store.GetAllItem_Tps(list), 1);
    ASSERT_EQ(list.GetCount(), 2);
    POSITION at = list.GetHeadPosition();
    const auto* listed = static_cast<CTaDBTps*>(list.GetNext(at));
    const auto* second = static_cast<CTaDBTps*>(list.GetNext(at));
    EXPECT_EQ(listed->m_strTpsUuid, "k1");
    EXPECT_EQ(listed->m_strTpsName.str(), first.m_strTpsName.str());
    EXPECT_GE(listed->m_dtCreateDate.m_dt, before);
    EXPECT_LE(listed->m_dtCreateDate.m_dt, COleDateTime::GetCurrentTime().m_dt);
    EXPECT_EQ(second->m_strTpsUuid, "k2");
    EXPECT_EQ(second->m_strTpsName, "");
    EXPECT_EQ(second->m_strTpsDescription, "12");
    EXPECT_EQ(second->m_nReserver1, 3);
    EXPECT_EQ(second->m_dtCreateDate.m_dt, 45000.25);
    store.ClearObjectList(list, "CTaDBTps");
}

TEST(PatternStatements, TheManagersPresetStateIsTheOneItRecordsAndAHeldRecordsetStaysItsHolders) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New(dir.File("p.tarnprj").c_str(), 1), 1);
    CTaDBMng& mng = store.m_dbMng;
    ASSERT_EQ(mng.QueryDataInDB("Select * From NoSuchTable"), -1);
    ASSERT_EQ(mng.QueryDataInDB("Select * From TpsTable"), 1);
    const Preset query("CTaDBMng::QueryDataInDB()");
    EXPECT_EQ(mng.GetErrorCode(), query.GetErrorCode());
    EXPECT_EQ(mng.GetErrorInfo(), query.GetErrorInfo());
    EXPECT_EQ(mng.GetErrorTrace(), query.GetErrorTrace());
    ASSERT_EQ(mng.Execute("Delete From TpsTable"), 1);
    EXPECT_EQ(mng.GetErrorTrace(), Preset("CTaDBMng::Execute()").GetErrorTrace());

    ASSERT_EQ(mng.QueryDataInDB("Select * From EditionTable"), 1);
    ado::RecordsetPtr held = mng.GetRecordset();
    ASSERT_EQ(mng.QueryDataInDB("Select * From TpsTable"), 1);
    EXPECT_NE(mng.GetRecordset(), held);
    EXPECT_EQ(held->GetState(), ado::adStateClosed);
    EXPECT_TRUE(mng.GetRecordset()->IsEOF());
}
