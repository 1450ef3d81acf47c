// A realistic project, 100 test groups of 20 test points of 10 signal set-up
// steps each, built row by row and then opened and walked from its entries
// down to each step's signal, against the engine doing the same work with
// each statement prepared once and every row read into records.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"
#include "ATMLViewLayer/TaDB/DBEntity/RecordColumns.h"
#include "BenchFiles.h"

namespace {
const int kGroups = 100, kPoints = 20, kSteps = 10;
const char kContent[] = "dc_offset(0 V),ac_ampl(5 V),freq(1000 Hz),phase(0 rad),samples(1024),trigger(rise)";

std::string Key(const char* kind, int a, int b = -1, int c = -1) {
    std::string key = std::string(kind) + "-" + std::to_string(a);
    if (b >= 0) key += "-" + std::to_string(b);
    if (c >= 0) key += "-" + std::to_string(c);
    return key;
}

// The rows of the project, handed to add(record) table by table as the store would write them.
template <class Add>
void EachRow(Add&& add) {
    for (int g = 0; g < kGroups; ++g) {
        CTaDBTestGroup group;
        group.m_strTgUuid = Key("TG", g).c_str();
        group.m_strTgName = Key("Group", g).c_str();
        add(group);
        CTaDBEntry entry;
        entry.m_strTestUuid = group.m_strTgUuid;
        entry.m_nSequence = g + 1;
        entry.m_strTestType = "TestGroup";
        add(entry);
        for (int p = 0; p < kPoints; ++p) {
            CTaDBTestPoint point;
            point.m_strTpUuid = Key("TP", g, p).c_str();
            point.m_strTpName = Key("Point", g, p).c_str();
            add(point);
            CTaDBTestGroupEntry member;
            member.m_strStepUuid = Key("TGE", g, p).c_str();
            member.m_strTgUuid = group.m_strTgUuid;
            member.m_strTestUuid = point.m_strTpUuid;
            member.m_nSequence = p + 1;
            member.m_strTestType = "TestPoint";
            add(member);
            for (int s = 0; s < kSteps; ++s) {
                CTaDBSignal signal;
                signal.m_strSignalUuid = Key("SIG", g, p, s).c_str();
                signal.m_strSignalName = Key("Signal", s).c_str();
                signal.m_strSignalRange = "本地";
                signal.m_strTpUuid = point.m_strTpUuid;
                add(signal);
                CTaDBActionSetup setup;
                setup.m_strActionUuid = Key("SETUP", g, p, s).c_str();
                setup.m_strActionName = Key("Setup", s).c_str();
                setup.m_strSignalUuid = signal.m_strSignalUuid;
                setup.m_strSignalType = "SinusoidalSignal";
                setup.m_strSignalContent = kContent;
                add(setup);
                CTaDBTestActionEntry step;
                step.m_strStepUuid = Key("STEP", g, p, s).c_str();
                step.m_strTpUuid = point.m_strTpUuid;
                step.m_strActionType = "Setup";
                step.m_strActionUuid = setup.m_strActionUuid;
                step.m_nSequence = s + 1;
                add(step);
            }
        }
    }
}

struct StoreAdd {
    CTaDBTDDataSingle& store;
    void operator()(CTaDBTestGroup& r) { store.AddItem_TestGroupTable(r, 1); }
    void operator()(CTaDBEntry& r) { store.AddItem_EntryTable(r, 1); }
    void operator()(CTaDBTestPoint& r) { store.AddItem_TestPointTable(r, 1); }
    void operator()(CTaDBTestGroupEntry& r) { store.AddItem_TestGroupEntryTable(r, 1); }
    void operator()(CTaDBSignal& r) { store.AddItem_Signal(r, 1); }
    void operator()(CTaDBActionSetup& r) { store.AddItem_ActionSetup(r, 1); }
    void operator()(CTaDBTestActionEntry& r) { store.AddItem_TestActionEntry(r, 1); }
};

// A statement of the baseline over the table of R: an insert of every
// mapped column, or a select whose columns are matched to the map once.
template <class R>
class RawTable {
public:
    RawTable(sqlite3* db, const std::string& select) {
        const ColumnMap<R>& map = ColumnMapOf<R>();
        std::string names, marks;
        for (const Column<R>& column : map.columns) {
            names += (names.empty() ? "" : ",") + std::string(column.Name());
            marks += marks.empty() ? "?" : ",?";
        }
        const std::string insert = "INSERT INTO " + std::string(map.table) + " (" + names + ") VALUES (" + marks + ")";
        sqlite3_prepare_v2(db, insert.c_str(), -1, &m_insert, nullptr);
        if (!select.empty()) {
            sqlite3_prepare_v2(db, select.c_str(), -1, &m_select, nullptr);
            for (int i = 0; i < sqlite3_column_count(m_select); ++i)
                for (size_t c = 0; c < map.columns.size(); ++c)
                    if (sqlite3_stricmp(sqlite3_column_name(m_select, i), map.columns[c].Name()) == 0)
                        m_at.push_back({i, c});
        }
    }
    ~RawTable() {
        sqlite3_finalize(m_insert);
        sqlite3_finalize(m_select);
    }

    void Add(const R& record) {
        const ColumnMap<R>& map = ColumnMapOf<R>();
        for (size_t c = 0; c < map.columns.size(); ++c) {
            const Column<R>& column = map.columns[c];
            const int at = static_cast<int>(c) + 1;
            switch (column.Type()) {
                case ColumnType::Text: {
                    const std::string& text = (record.*column.TextMember()).str();
                    sqlite3_bind_text(m_insert, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                    break;
                }
                case ColumnType::Long: sqlite3_bind_int(m_insert, at, static_cast<int>(record.*column.LongMember())); break;
                case ColumnType::Date: sqlite3_bind_double(m_insert, at, (record.*column.DateMember()).m_dt); break;
            }
        }
        sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
    }

    // Reads the rows the select gives for key (when it takes one) into new records.
    void ReadAll(const CString& key, std::vector<std::unique_ptr<R>>& rows) {
        rows.clear();
        Bind(key);
        while (sqlite3_step(m_select) == SQLITE_ROW) {
            rows.push_back(std::make_unique<R>());
            ReadRow(*rows.back());
        }
        sqlite3_reset(m_select);
    }
    // Reads the first row the select gives for key into record.
    bool ReadOne(const CString& key, R& record) {
        Bind(key);
        const bool found = sqlite3_step(m_select) == SQLITE_ROW;
        if (found) ReadRow(record);
        sqlite3_reset(m_select);
        return found;
    }

private:
    void Bind(const CString& key) {
        if (sqlite3_bind_parameter_count(m_select) > 0)
            sqlite3_bind_text(m_select, 1, key.GetString(), key.GetLength(), SQLITE_TRANSIENT);
    }
    void ReadRow(R& record) {
        const ColumnMap<R>& map = ColumnMapOf<R>();
        for (const auto& [i, c] : m_at) {
            const Column<R>& column = map.columns[c];
            switch (column.Type()) {
                case ColumnType::Text: {
                    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_select, i));
                    record.*column.TextMember() = CString(text ? text : "", sqlite3_column_bytes(m_select, i));
                    break;
                }
                case ColumnType::Long: record.*column.LongMember() = sqlite3_column_int(m_select, i); break;
                case ColumnType::Date:
                    if (sqlite3_column_type(m_select, i) != SQLITE_NULL)
                        record.*column.DateMember() = COleDateTime(sqlite3_column_double(m_select, i));
                    break;
            }
        }
    }

    sqlite3_stmt* m_insert = nullptr;
    sqlite3_stmt* m_select = nullptr;
    std::vector<std::pair<int, size_t>> m_at;
};

void BM_Store_ProjectBuild(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TempDir dir;
        const std::string path = NewProject(dir, "project.tarnprj");
        state.ResumeTiming();
        CTaDBTDDataSingle store;
        store.Open(path.c_str());
        EachRow(StoreAdd{store});
        store.Close();
    }
}

void BM_Raw_ProjectBuild(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TempDir dir;
        const std::string path = NewProject(dir, "project.tarnprj");
        state.ResumeTiming();
        sqlite3* db = OpenRaw(path);
        {
            RawTable<CTaDBTestGroup> groups(db, "");
            RawTable<CTaDBEntry> entries(db, "");
            RawTable<CTaDBTestPoint> points(db, "");
            RawTable<CTaDBTestGroupEntry> members(db, "");
            RawTable<CTaDBSignal> signals(db, "");
            RawTable<CTaDBActionSetup> setups(db, "");
            RawTable<CTaDBTestActionEntry> steps(db, "");
            struct {
                decltype(groups)& g;
                decltype(entries)& e;
                decltype(points)& p;
                decltype(members)& m;
                decltype(signals)& s;
                decltype(setups)& u;
                decltype(steps)& t;
                void operator()(CTaDBTestGroup& r) { g.Add(r); }
                void operator()(CTaDBEntry& r) { e.Add(r); }
                void operator()(CTaDBTestPoint& r) { p.Add(r); }
                void operator()(CTaDBTestGroupEntry& r) { m.Add(r); }
                void operator()(CTaDBSignal& r) { s.Add(r); }
                void operator()(CTaDBActionSetup& r) { u.Add(r); }
                void operator()(CTaDBTestActionEntry& r) { t.Add(r); }
            } add{groups, entries, points, members, signals, setups, steps};
            EachRow(add);
        }
        sqlite3_close(db);
    }
}

// A built project, made once for every walk.
const std::string& BuiltProject() {
    static TempDir dir;
    static const std::string path = [] {
        const std::string made = NewProject(dir, "project.tarnprj");
        CTaDBTDDataSingle store;
        store.Open(made.c_str());
        EachRow(StoreAdd{store});
        store.Close();
        return made;
    }();
    return path;
}

// Opens the project and reads every entry, test group, test point, step,
// set-up and signal, following the keys each row gives.
void BM_Store_ProjectOpenWalk(benchmark::State& state) {
    const std::string& path = BuiltProject();
    long signals = 0;
    for (auto _ : state) {
        CTaDBTDDataSingle store;
        store.Open(path.c_str());
        CObList entries, members, steps;
        store.GetAllItem_EntryTable(entries);
        for (POSITION e = entries.GetHeadPosition(); e;) {
            const auto* entry = static_cast<CTaDBEntry*>(entries.GetNext(e));
            CTaDBTestGroup group;
            store.GetItem_TestGroupTable(group, 1, entry->m_strTestUuid);
            store.GetAllItem_TestGroupEntryTable(members, group.m_strTgUuid, "");
            for (POSITION m = members.GetHeadPosition(); m;) {
                const auto* member = static_cast<CTaDBTestGroupEntry*>(members.GetNext(m));
                CTaDBTestPoint point;
                store.GetItem_TestPointTable(point, 1, member->m_strTestUuid);
                store.GetAllItem_TestActionEntry(steps, point.m_strTpUuid, "");
                for (POSITION s = steps.GetHeadPosition(); s;) {
                    const auto* step = static_cast<CTaDBTestActionEntry*>(steps.GetNext(s));
                    CTaDBActionSetup setup;
                    store.GetItem_ActionSetup(setup, 1, step->m_strActionUuid);
                    CTaDBSignal signal;
                    signals += store.GetItem_Signal(signal, 1, setup.m_strSignalUuid);
                }
            }
        }
        store.ClearObjectList(entries, "CTaDBEntry");
        store.ClearObjectList(members, "CTaDBTestGroupEntry");
        store.ClearObjectList(steps, "CTaDBTestActionEntry");
        store.Close();
    }
    if (signals != static_cast<long>(state.iterations()) * kGroups * kPoints * kSteps)
        state.SkipWithError("the walk missed signals");
}

void BM_Raw_ProjectOpenWalk(benchmark::State& state) {
    const std::string& path = BuiltProject();
    long signals = 0;
    for (auto _ : state) {
        sqlite3* db = OpenRaw(path);
        {
            RawTable<CTaDBEntry> entries(db, "SELECT * FROM EntryTable ORDER BY SEQUENCE");
            RawTable<CTaDBTestGroup> groups(db, "SELECT * FROM TestGroupTable WHERE TG_UUID=?");
            RawTable<CTaDBTestGroupEntry> members(
                db, "SELECT * FROM TestGroupEntryTable WHERE TG_UUID=? ORDER BY SEQUENCE");
            RawTable<CTaDBTestPoint> points(db, "SELECT * FROM TestPointTable WHERE TP_UUID=?");
            RawTable<CTaDBTestActionEntry> steps(db,
                                                 "SELECT * FROM TestActionEntryTable WHERE TP_UUID=? ORDER BY SEQUENCE");
            RawTable<CTaDBActionSetup> setups(db, "SELECT * FROM ActionSetupTable WHERE ACTION_UUID=?");
            RawTable<CTaDBSignal> signalRows(db, "SELECT * FROM SignalTable WHERE SIGNAL_UUID=?");
            std::vector<std::unique_ptr<CTaDBEntry>> entryList;
            std::vector<std::unique_ptr<CTaDBTestGroupEntry>> memberList;
            std::vector<std::unique_ptr<CTaDBTestActionEntry>> stepList;
            entries.ReadAll("", entryList);
            for (const auto& entry : entryList) {
                CTaDBTestGroup group;
                groups.ReadOne(entry->m_strTestUuid, group);
                members.ReadAll(group.m_strTgUuid, memberList);
                for (const auto& member : memberList) {
                    CTaDBTestPoint point;
                    points.ReadOne(member->m_strTestUuid, point);
                    steps.ReadAll(point.m_strTpUuid, stepList);
                    for (const auto& step : stepList) {
                        CTaDBActionSetup setup;
                        setups.ReadOne(step->m_strActionUuid, setup);
                        CTaDBSignal signal;
                        signals += signalRows.ReadOne(setup.m_strSignalUuid, signal);
                    }
                }
            }
        }
        sqlite3_close(db);
    }
    if (signals != static_cast<long>(state.iterations()) * kGroups * kPoints * kSteps)
        state.SkipWithError("the walk missed signals");
}
}  // namespace

BENCHMARK(BM_Store_ProjectBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_ProjectBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Store_ProjectOpenWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_ProjectOpenWalk)->Unit(benchmark::kMillisecond);
