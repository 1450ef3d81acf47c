#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
std::string LibraryFolder() {
    CATMLCommonFun fun;
    CString folder;
    fun.GetModulePath(folder, g_hInstance, false);
    return folder.GetString();
}

int TpsRows(const std::string& path) { return std::stoi(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0]); }
}  // namespace

TEST(Lifecycle, FreshStoreHasNoProjectAndItsPathsBesideTheLibrary) {
    CTaDBTDDataSingle store;
    int state = -1, modified = -1;
    CString path = "x", temp;
    store.FilePathState(state);
    store.IsModified(modified);
    store.GetFilePath(path);
    store.GetTpsTempPath(temp);
    EXPECT_EQ(state, FILEPATHSTATE_NONE);
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(path, "");
    EXPECT_EQ(std::string(temp), LibraryFolder() + "/tpstemp.tarnprj");
    TempDir dir;
    TestStore probe(dir);
    EXPECT_EQ(std::string(probe.m_strTemplatePath), LibraryFolder() + "/tpstemplate.dll");
    EXPECT_EQ(probe.m_nEditionTpsTable, 0);
}

TEST(Lifecycle, NewWithAPathReplacesAFileThereWithAnEmptyProjectWhateverTheFlag) {
    TempDir dir;
    const std::string path = dir.File("p.tarnprj");
    WriteFile(path, "old bytes");
    WriteFile(path + "-wal", "stale log");
    TestStore store(dir);
    ASSERT_EQ(store.New(path.c_str(), 0), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(store.State(), FILEPATHSTATE_FILE);
    EXPECT_EQ(store.Path(), path);
    EXPECT_EQ(store.m_nEditionTpsTable, 10);
    EXPECT_EQ(store.m_nEditionActionCompareTable, 10);
    EXPECT_FALSE(FileExists(dir.File("tpstemp.tarnprj")));
    store.Close();
    EXPECT_EQ(TpsRows(path), 0);
    // So is a closed project, whatever the flag: it concerns the untitled project alone.
    for (int flag : {0, 1}) {
        RawExec(path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept?')");
        ASSERT_EQ(store.New(path.c_str(), flag), 1);
        store.Close();
        EXPECT_EQ(TpsRows(path), 0) << flag;
    }
}

TEST(Lifecycle, UntitledProjectIsContinuedOrOverwritten) {
    TempDir dir;
    const std::string temp = dir.File("tpstemp.tarnprj");
    {
        TestStore store(dir);
        ASSERT_EQ(store.New("", 0), 1);  // no temporary project yet: made from the template
        EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);
        EXPECT_EQ(store.Path(), "");
        store.Close();
    }
    RawExec(temp, "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
    TestStore store(dir);
    ASSERT_EQ(store.New("", 0), 1);
    store.Close();
    EXPECT_EQ(TpsRows(temp), 1);
    ASSERT_EQ(store.New("", 1), 1);
    store.Close();
    EXPECT_EQ(TpsRows(temp), 0);
}

TEST(Lifecycle, MissingTemplateFailsWithTheSystemTextAndItsPath) {
    TempDir dir;
    TestStore store(dir);
    store.m_strTemplatePath = dir.File("no-template.dll").c_str();
    for (std::string path : {dir.File("p.tarnprj"), std::string()}) {
        EXPECT_EQ(store.New(path.c_str(), 1), -1);
        EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(2) + dir.File("no-template.dll"));
        EXPECT_NE(std::string(store.GetErrorTrace()).find("CTaDBTDDataSingle::New()"), std::string::npos);
        EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);
    }
}

TEST(Lifecycle, SaveCopiesTheUntitledProjectAndReopensItThere) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New("", 1), 1);
    EXPECT_EQ(store.Save(), -1);
    EXPECT_EQ(store.GetErrorInfo(), "请先设置需保存的文件路径。");
    EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);

    // A change made on the temporary project, still in its log, must reach the saved file.
    ASSERT_EQ(store.m_dbMng.Execute("Insert Into TpsTable (TPS_UUID, TPS_NAME) Values ('k', '名')"), 1);
    store.SetModifyState(1);
    const std::string path = dir.File("saved.tarnprj");
    store.SetFilePath(path.c_str());
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(store.State(), FILEPATHSTATE_FILE);
    EXPECT_EQ(store.Modified(), 0);
    EXPECT_EQ(store.Path(), path);
    store.Close();
    EXPECT_EQ(RawQuery(path, "SELECT TPS_NAME FROM TpsTable")[0][0], "名");
}

TEST(Lifecycle, SaveOfAFileOrOfNothing) {
    TempDir dir;
    TestStore store(dir);
    EXPECT_EQ(store.Save(), -1);
    EXPECT_EQ(store.GetErrorInfo(), "请先建立新文件或打开文件。");
    EXPECT_NE(std::string(store.GetErrorTrace()).find("CTaDBTDDataSingle::Save()"), std::string::npos);

    const std::string path = MakeProject(dir, "p.tarnprj");
    ASSERT_EQ(store.Open(path.c_str()), 1);
    store.SetModifyState(1);
    EXPECT_EQ(store.Save(), 1);
    EXPECT_EQ(store.Modified(), 1);
    EXPECT_EQ(store.SetFilePath(dir.File("elsewhere").c_str()), 1);
    EXPECT_EQ(store.Path(), path);
}

TEST(Lifecycle, SaveToAnUnwritablePlaceKeepsTheUntitledProject) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.New("", 1), 1);
    store.SetModifyState(1);
    store.SetFilePath(dir.File("no/such/folder/p.tarnprj").c_str());
    EXPECT_EQ(store.Save(), -1);
    EXPECT_EQ(std::string(store.GetErrorInfo()), SystemText(3));
    EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);
    EXPECT_EQ(store.Modified(), 1);
    EXPECT_EQ(store.m_dbMng.Execute("Insert Into TpsTable (TPS_UUID) Values ('still open')"), 1);
    mkdir(dir.File("ro").c_str(), 0555);
    mkdir(dir.File("rw").c_str(), 0777);
    chmod(dir.File("rw").c_str(), 0777);
    const std::string templateCopy = TemplateCopyIn(dir);
    AsUnprivilegedUser(dir, [&] {
        // A store of its own: a forked child does not use its parent's projects.
        TestStore own(dir);
        own.m_strTemplatePath = templateCopy.c_str();
        own.m_strTempPath = dir.File("rw/tpstemp.tarnprj").c_str();
        ASSERT_EQ(own.New("", 1), 1) << own.GetErrorInfo().GetString();
        own.SetFilePath(dir.File("ro/p.tarnprj").c_str());
        EXPECT_EQ(own.Save(), -1);
        EXPECT_EQ(std::string(own.GetErrorInfo()), SystemText(5));
        EXPECT_EQ(own.State(), FILEPATHSTATE_TEMP);
    });
}

// A file the library makes where none was is one its user can write, with
// the bits any new file gets, whatever the template's; a copy onto a
// project keeps that project's bits.
TEST(Lifecycle, NewFilesGetTheBitsOfAnyNewFileAndReplacedOnesKeepTheirs) {
    TempDir dir;
    const std::string templateCopy = TemplateCopyIn(dir), work = dir.File("work");
    chmod(templateCopy.c_str(), 0444);
    mkdir(work.c_str(), 0777);
    chmod(work.c_str(), 0777);
    auto bits = [](const std::string& path) {
        struct stat info;
        return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 07777u;
    };
    AsUnprivilegedUser(dir, [&] {
        const mode_t before = umask(027);
        TestStore own(dir);
        own.m_strTemplatePath = templateCopy.c_str();
        own.m_strTempPath = (work + "/tpstemp.tarnprj").c_str();
        const std::string made = work + "/made.tarnprj", saved = work + "/saved.tarnprj",
                          kept = work + "/private.tarnprj";
        ASSERT_EQ(own.New(made.c_str(), 1), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(AddTps(own, "made"), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(bits(made), 0640u);
        ASSERT_EQ(own.New("", 1), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(bits(work + "/tpstemp.tarnprj"), 0640u);
        EXPECT_EQ(AddTps(own, "saved"), 1) << own.GetErrorInfo().GetString();
        own.SetFilePath(saved.c_str());
        ASSERT_EQ(own.Save(), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(bits(saved), 0640u);
        EXPECT_EQ(AddTps(own, "after save"), 1) << own.GetErrorInfo().GetString();
        // A private project stays private when a copy replaces it, and one
        // that others may read stays so.
        for (const mode_t mode : {0600u, 0664u}) {
            ASSERT_EQ(own.New(kept.c_str(), 1), 1) << own.GetErrorInfo().GetString();
            own.Close();
            chmod(kept.c_str(), mode);
            ASSERT_EQ(own.New("", 1), 1) << own.GetErrorInfo().GetString();
            own.SetFilePath(kept.c_str());
            ASSERT_EQ(own.Save(), 1) << own.GetErrorInfo().GetString();
            EXPECT_EQ(bits(kept), mode);
            ASSERT_EQ(own.New(kept.c_str(), 1), 1) << own.GetErrorInfo().GetString();
            EXPECT_EQ(bits(kept), mode);
        }
        own.Close();
        umask(before);
        EXPECT_EQ(TpsKeys(made), "made");
        EXPECT_EQ(TpsKeys(saved), "after save,saved");
    });
}

// A folder its user may write and enter but not list: projects are made,
// saved, replaced and removed there all the same.
TEST(Lifecycle, ProjectsLiveInAFolderThatMayBeWrittenButNotListed) {
    TempDir dir;
    const std::string templateCopy = TemplateCopyIn(dir), drop = dir.File("drop");
    mkdir(drop.c_str(), 0333);
    chmod(drop.c_str(), 0333);
    AsUnprivilegedUser(dir, [&] {
        TestStore own(dir);
        own.m_strTemplatePath = templateCopy.c_str();
        own.m_strTempPath = (drop + "/tpstemp.tarnprj").c_str();
        const std::string made = drop + "/made.tarnprj", saved = drop + "/saved.tarnprj";
        ASSERT_EQ(own.New(made.c_str(), 1), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(AddTps(own, "made"), 1);
        ASSERT_EQ(own.New("", 1), 1) << own.GetErrorInfo().GetString();
        EXPECT_EQ(AddTps(own, "saved"), 1);
        own.SetFilePath(saved.c_str());
        ASSERT_EQ(own.Save(), 1) << own.GetErrorInfo().GetString();
        ASSERT_EQ(own.New(made.c_str(), 1), 1) << own.GetErrorInfo().GetString();
        own.Close();
        EXPECT_EQ(TpsKeys(made), "<null>");
        EXPECT_EQ(TpsKeys(saved), "saved");
        CATMLCommonFun files;
        EXPECT_EQ(files.RemoveFile(saved.c_str()), 1) << files.GetErrorInfo().GetString();
        EXPECT_FALSE(FileExists(saved));
    });
    chmod(drop.c_str(), 0777);
}

TEST(Lifecycle, OpenFailuresLeaveNoProjectAndTheFileUntouched) {
    TempDir dir;
    TestStore store(dir);
    // Nothing at the path, or no folder on the way: said so, and told apart
    // from a file its user may not read.
    for (const std::string& missing : {dir.File("missing.tarnprj"), dir.File("no-folder/missing.tarnprj")}) {
        EXPECT_EQ(store.Open(missing.c_str()), -1);
        EXPECT_NE(std::string(store.GetErrorTrace()).find("CTaDBTDDataSingle::Open()"), std::string::npos);
        EXPECT_NE(std::string(store.GetErrorInfo()).find("No file is at the path: " + missing), std::string::npos)
            << store.GetErrorInfo().GetString();
        EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);
        EXPECT_EQ(store.Path(), missing);
        EXPECT_FALSE(FileExists(missing));
    }
    const std::string unreadable = dir.File("unreadable.tarnprj");
    WriteFile(unreadable, "");
    chmod(unreadable.c_str(), 0);
    AsUnprivilegedUser(dir, [&] {
        TestStore other(dir);
        EXPECT_EQ(other.Open(unreadable.c_str()), -1);
        EXPECT_EQ(std::string(other.GetErrorInfo()).find("No file is at the path"), std::string::npos)
            << other.GetErrorInfo().GetString();
    });

    const std::string text = dir.File("notes.tarnprj");
    WriteFile(text, std::string(8192, 'n'));
    EXPECT_EQ(store.Open(text.c_str()), -1);
    EXPECT_NE(std::string(store.GetErrorInfo()).find("not a database"), std::string::npos);
    EXPECT_EQ(ReadFile(text), std::string(8192, 'n'));

    EXPECT_EQ(store.Open(dir.Path().c_str()), -1);
    EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);

    // A database that is not a project: no EditionTable.
    const std::string foreign = dir.File("foreign.db");
    RawExec(foreign, "CREATE TABLE Other (A TEXT); INSERT INTO Other VALUES ('a');");
    const std::string before = ReadFile(foreign);
    EXPECT_EQ(store.Open(foreign.c_str()), -1);
    EXPECT_NE(std::string(store.GetErrorTrace()).find("GetAllItem_EditionTable()"), std::string::npos);
    EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);
    EXPECT_EQ(store.m_dbMng.m_bConnected, 0);
    EXPECT_EQ(ReadFile(foreign), before);
    EXPECT_FALSE(FileExists(foreign + "-wal"));
}

TEST(Lifecycle, CloseTwiceAndTheStateItLeaves) {
    TempDir dir;
    TestStore store(dir);
    ASSERT_EQ(store.Open(MakeProject(dir, "p.tarnprj").c_str()), 1);
    store.SetModifyState(1);
    EXPECT_EQ(store.Close(), 1);
    EXPECT_EQ(store.Close(), 1);
    EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);
    EXPECT_EQ(store.Modified(), 0);
    EXPECT_EQ(store.Path(), "");
    EXPECT_EQ(store.m_nEditionTestGroupTable, 0);
    EXPECT_EQ(store.ReleaseLibrary(), 1);
}

TEST(Lifecycle, EditionsFollowTheEditionTableExactly) {
    TempDir dir;
    const std::string path = MakeProject(
        dir, "p.tarnprj",
        "DELETE FROM EditionTable WHERE \"TABLE\" IN ('EntryTable', 'TpsTable', 'TestPointTable');"
        "UPDATE EditionTable SET EDITION = 9 WHERE \"TABLE\" = 'TestGroupTable';"
        "INSERT INTO EditionTable (\"TABLE\", EDITION) VALUES ('testpointtable', 12), ('TestPointTable ', 13),"
        " ('TestReplayTable', 14), ('TpsTable2', 15);"
        "UPDATE EditionTable SET EDITION = NULL WHERE \"TABLE\" = 'ActionCompareTable';");
    TestStore store(dir);
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(store.m_nEditionEntryTable, 0);
    EXPECT_EQ(store.m_nEditionTpsTable, 0);
    EXPECT_EQ(store.m_nEditionTestPointTable, 0);  // case and a trailing blank do not match
    EXPECT_EQ(store.m_nEditionTestGroupTable, 9);
    EXPECT_EQ(store.m_nEditionActionCompareTable, 0);
    EXPECT_EQ(store.m_nEditionTestActionEntryTable, 10);
}

TEST(Lifecycle, CopiesShareOneConnectionThatCloseEndsForAll) {
    TempDir dir;
    auto store = std::make_unique<TestStore>(dir);
    ASSERT_EQ(store->Open(MakeProject(dir, "p.tarnprj").c_str()), 1);
    {
        CTaDBTDDataSingle copy(*store);
        int state = 0;
        copy.FilePathState(state);
        EXPECT_EQ(state, FILEPATHSTATE_FILE);
    }  // a copy going away leaves the project open
    EXPECT_EQ(store->m_dbMng.Execute("Update TpsTable Set TPS_NAME='x'"), 1);
    CTaDBTDDataSingle copy(*store);
    EXPECT_EQ(store->Close(), 1);
    EXPECT_EQ(copy.Close(), 1);  // closed twice, once each
    TestStore second(dir);
    ASSERT_EQ(second.Open(dir.File("p.tarnprj").c_str()), 1);
    CTaDBTDDataSingle other(second);
    second.Close();
    CTaDBTps record;
    EXPECT_EQ(other.GetItem_Tps(record, 1, "x"), -1);  // the shared connection is closed
}

TEST(Lifecycle, MultiUserOperationsSucceedWithoutEffect) {
    CTaDBTDDataSingle store;
    CTaDBTDDataBase& base = store;
    int processing = 5;
    CStringArray files;
    files.Add("a");
    EXPECT_EQ(base.IsTransactionProcessing(processing), 1);
    EXPECT_EQ(processing, 5);
    EXPECT_EQ(base.GetTpsFileList(files), 1);
    EXPECT_EQ(files.GetSize(), 1);
    store.SetErrorCode(-1);
    store.SetErrorInfo("kept");
    EXPECT_EQ(base.Connect("s", 1, "u", "p", DATALAYER_COMPONENT_NONE), 1);
    EXPECT_EQ(store.GetErrorInfo(), "kept");
    CTaDBTDDataSingle copy(store);
    EXPECT_EQ(copy.GetErrorInfo(), "kept");
}

TEST(ObjectList, ReleaseFreesEveryRecordWhateverTheName) {
    static int alive = 0;
    struct Counted : CTaDBTps {
        Counted() { ++alive; }
        ~Counted() override { --alive; }
    };
    CTaDBTDDataSingle store;
    CObList list;
    store.ClearObjectList(list, "CTaDBTps");
    EXPECT_TRUE(list.IsEmpty());
    for (const char* name : {"CTaDBTps", "ctadbtps", "NoSuchClass"}) {
        list.AddTail(new Counted);
        list.AddTail(nullptr);
        list.AddTail(new Counted);
        store.ClearObjectList(list, name);
        EXPECT_TRUE(list.IsEmpty()) << name;
        EXPECT_EQ(alive, 0) << name;
    }
}

TEST(Lifecycle, ACopyOverAProjectNeverReplaysTheLogItLeftBehind) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    // Leave the project as a crash would: rows committed to the log only.
    LeaveInTheLog(path, "INSERT INTO TpsTable (TPS_UUID) VALUES ('left in the log')");
    const std::string main = ReadFile(path), log = ReadFile(path + "-wal");
    ASSERT_EQ(TpsRows(path), 1) << "the log is replayed when it is left beside its file";
    WriteFile(path, main);
    WriteFile(path + "-wal", log);

    TestStore store(dir);
    ASSERT_EQ(store.New(path.c_str(), 1), 1);
    store.Close();
    EXPECT_EQ(TpsRows(path), 0);
}

namespace {
// Uses path as the temporary project (with "~" added), as the file the
// untitled project is saved to and as the file a new project is made at:
// each works on the file the path names, or each fails with -1 at its position.
void NewAddSaveCloseOpen(const TempDir& dir, const std::string& path, bool works) {
    TestStore store(dir);
    store.m_strTempPath = CString(path + "~");
    const auto fails = [&store](RESULTSTATE result, const char* position) {
        EXPECT_EQ(result, -1);
        EXPECT_NE(std::string(store.GetErrorTrace()).find(position), std::string::npos) << position;
    };
    if (!works) {
        fails(store.New("", 1), "::New()");
        fails(store.Open(CString(path)), "::Open()");
        fails(store.New(CString(path), 1), "::New()");
        store.m_strTempPath = dir.File("tpstemp.tarnprj").c_str();
        ASSERT_EQ(store.New("", 1), 1);
        store.SetFilePath(CString(path));
        return fails(store.Save(), "::Save()");
    }
    const char* add = "Insert Into TpsTable (TPS_UUID) Values (lower(hex(randomblob(8))))";
    ASSERT_EQ(store.New("", 1), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(store.m_dbMng.Execute(add), 1);
    store.SetFilePath(CString(path));
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(store.m_dbMng.Execute(add), 1);
    ASSERT_EQ(store.Open(CString(path)), 1) << store.GetErrorInfo().GetString();
    store.Close();
    EXPECT_EQ(TpsRows(std::filesystem::absolute(path)), 2);
    ASSERT_EQ(store.New(CString(path), 1), 1);
    store.Close();
    EXPECT_EQ(TpsRows(std::filesystem::absolute(path)), 0);
}
}  // namespace

// Whatever a path holds, it names one file: the project it could be cut to stays as it was.
TEST(ProjectPaths, EachPathNamesExactlyTheOneFile) {
    TempDir dir;
    // The working folder is given back however the test ends.
    struct Back {
        std::filesystem::path folder = std::filesystem::current_path();
        ~Back() { std::filesystem::current_path(folder); }
    } back;
    std::filesystem::current_path(dir.Path());
    mkdir("d", 0755);
    const std::tuple<std::string, const char*, bool> cases[] = {
        {"a;b=c.tarnprj", "a", true},
        {"c;Data Source=a;Persist Security info=False", "c", true},
        {"q\"x\";y=z", "q", true},
        {"\"e\"", "e", true},
        {"o'k;p=1", "o", true},
        {"'s'", "s", true},
        {"file:f.tarnprj?mode=memory", "f.tarnprj", true},
        {"file:g.tarnprj?vfs=unix-none&nolock=1&immutable=1", "g.tarnprj", true},
        {"file:d/h.tarnprj?mode=rw", "d/h.tarnprj", false},
        {":memory:", nullptr, true},
        {" 项目 ü;é=1.tarnprj ", "项目 ü", true},
        {dir.File("abs;Data Source=t.tarnprj"), "abs", true},
        {std::string("n\0x", 3), "n", false},
    };
    for (const auto& [path, neighbour, works] : cases) {
        SCOPED_TRACE(path);
        const char* row = "INSERT INTO TpsTable (TPS_UUID) VALUES ('x')";
        const std::string before = neighbour ? ReadFile(MakeProject(dir, neighbour, row)) : "";
        NewAddSaveCloseOpen(dir, path, works);
        if (neighbour) {
            EXPECT_TRUE(ReadFile(neighbour) == before) << "changed: " << neighbour;
        }
    }
}
