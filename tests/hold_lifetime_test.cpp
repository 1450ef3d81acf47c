// How long a hold on a project file lasts and what it costs: joining a file
// this process holds opens no descriptor that has to be kept, a file with a
// second name is no project, a copy clears the scratch files that killed
// copies left and nothing else, and an untitled project is saved through the engine, with
// what its log holds, whoever has it open.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/FileHold.h"
#include "platform/win32/LastError.h"
#include "platform/win32/ScratchFile.h"
#include "support/ChildProcess.h"
#include "support/SharedCount.h"
#include "support/SystemTexts.h"
#include "support/TestStore.h"

namespace {
bool Holds(const CString& text, const char* part) { return std::string(text).find(part) != std::string::npos; }

}  // namespace

TEST(HoldLifetime, OpeningAProjectAnotherStoreHoldsKeepsTheDescriptorCountFlat) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj");
    TestStore keeper(dir), other(dir);
    ASSERT_EQ(keeper.Open(path.c_str()), 1);
    ASSERT_EQ(AddTps(keeper, "kept"), 1);
    ASSERT_EQ(other.Open(path.c_str()), 1);
    other.Close();
    const int before = OpenDescriptors();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(other.Open(path.c_str()), 1) << i << ": " << other.GetErrorInfo().GetString();
        if (i % 100 == 0) {
            ASSERT_EQ(AddTps(other, "k" + std::to_string(i)), 1);
        }
        other.Close();
    }
    EXPECT_EQ(OpenDescriptors(), before);
    ASSERT_EQ(AddTps(keeper, "still"), 1);
    keeper.Close();
    EXPECT_EQ(RawQuery(path, "SELECT count(*) FROM TpsTable")[0][0], "12");
    EXPECT_EQ(RawQuery(path, "PRAGMA integrity_check")[0][0], "ok");
}

TEST(HoldLifetime, AProjectFileWithASecondNameIsRefusedAndLeftAsItIs) {
    TempDir dir;
    const std::string path = MakeProject(dir, "p.tarnprj", "INSERT INTO TpsTable (TPS_UUID) VALUES ('kept')");
    const std::string second = dir.File("q.tarnprj");
    ASSERT_EQ(link(path.c_str(), second.c_str()), 0);
    const std::string before = ReadFile(path);
    const std::string refusal = SystemText(ERROR_PROJECT_HAS_SECOND_NAME);
    TestStore store(dir);
    for (const std::string& name : {path, second}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store.Open(name.c_str()), -1);
        EXPECT_TRUE(Holds(store.GetErrorInfo(), "more than one name")) << store.GetErrorInfo().GetString();
        EXPECT_EQ(store.State(), FILEPATHSTATE_NONE);
        EXPECT_EQ(store.New(name.c_str(), 1), -1);
        EXPECT_EQ(std::string(store.GetErrorInfo()), refusal + store.m_strTemplatePath.GetString());
        ASSERT_EQ(store.New("", 1), 1);
        store.SetFilePath(name.c_str());
        EXPECT_EQ(store.Save(), -1);
        EXPECT_EQ(std::string(store.GetErrorInfo()), refusal);
        EXPECT_EQ(store.State(), FILEPATHSTATE_TEMP);
        store.Close();
    }
    EXPECT_TRUE(ReadFile(path) == before);
    EXPECT_FALSE(FileExists(path + "-wal"));

    // A name that comes while a store has the project open keeps others out.
    ASSERT_EQ(unlink(second.c_str()), 0);
    ASSERT_EQ(store.Open(path.c_str()), 1);
    ASSERT_EQ(link(path.c_str(), second.c_str()), 0);
    TestStore other(dir);
    EXPECT_EQ(other.Open(second.c_str()), -1);
    ASSERT_EQ(AddTps(store, "added"), 1);
    store.Close();
    EXPECT_EQ(TpsKeys(path), "added,kept");

    // A second name that is a killed copy's own scratch file goes, and the
    // Open, New or Save goes on; one that a copy still holds stays.
    ASSERT_EQ(unlink(second.c_str()), 0);
    std::string scratch = ScratchPattern(path);
    scratch.replace(scratch.size() - 6, 6, "k1ll3d");
    auto leaveScratch = [&] { ASSERT_EQ(link(path.c_str(), scratch.c_str()), 0); };
    leaveScratch();
    {
        fileshare::Hold copying;
        ASSERT_TRUE(copying.Take(scratch, false));
        EXPECT_EQ(store.Open(path.c_str()), -1);
    }
    ASSERT_EQ(store.Open(path.c_str()), 1) << store.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(scratch));
    store.Close();
    leaveScratch();
    ASSERT_EQ(store.New(path.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(scratch));
    leaveScratch();
    ASSERT_EQ(store.New("", 1), 1);
    ASSERT_EQ(AddTps(store, "saved"), 1);
    store.SetFilePath(path.c_str());
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    store.Close();
    EXPECT_FALSE(FileExists(scratch));
    EXPECT_EQ(TpsKeys(path), "saved");
}

// Scratch files have names of the library's own: a copy removes those that
// killed copies onto its target left and no one holds, and nothing else,
// whatever a host named its own files beside the project.
TEST(HoldLifetime, ACopyRemovesOnlyTheAbandonedScratchFilesOfItsTarget) {
    TempDir dir;
    const std::string target = dir.File("plan.tarnprj");
    auto scratchOf = [](const std::string& path, const char* random) {
        std::string name = ScratchPattern(path);
        return name.replace(name.size() - 6, 6, random);
    };
    const std::string abandoned = scratchOf(target, "a1B2c3"), held = scratchOf(target, "HELD00");
    const std::string othersScratch = scratchOf(dir.File("other.tarnprj"), "a1B2c3");
    for (const std::string& file : {abandoned, held, othersScratch}) WriteFile(file, "scratch");
    // A host's own files named like the scratch files of earlier versions.
    const std::string backup = target + ".copy-backup", latest = target + ".copy-latest";
    const std::string linked = target + ".copy-2024q1", project = target + ".copy-jan-24";
    WriteFile(backup, "backup");
    WriteFile(latest, "latest");
    chmod(latest.c_str(), 0444);
    ASSERT_EQ(link(backup.c_str(), linked.c_str()), 0);
    MakeProject(dir, "plan.tarnprj.copy-jan-24", "INSERT INTO TpsTable (TPS_UUID) VALUES ('acknowledged')");
    fileshare::Hold copying;
    ASSERT_TRUE(copying.Take(held, false));

    TestStore store(dir);
    ASSERT_EQ(store.New(target.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    EXPECT_FALSE(FileExists(abandoned));
    ASSERT_EQ(store.New("", 1), 1);
    store.SetFilePath(target.c_str());
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    store.Close();
    EXPECT_TRUE(FileExists(held)) << "a copy still holds it";
    EXPECT_TRUE(FileExists(othersScratch)) << "a scratch file of another target";
    for (const std::string& file : {backup, latest, linked}) EXPECT_TRUE(FileExists(file)) << file;
    EXPECT_EQ(TpsKeys(project), "acknowledged");
}

// Only regular files are removed as abandoned scratch: a link, a named
// pipe or a folder given a scratch name of the project stays (and so does
// the file the link leads to), and the copy makes its scratch file in a
// slot they leave free.
TEST(HoldLifetime, ACopyRemovesNoLinkPipeOrFolderThatHasAScratchName) {
    TempDir dir;
    const std::string target = dir.File("plan.tarnprj"), led = dir.File("notes.txt");
    WriteFile(led, "a host's notes");
    const struct {
        const char* what;
        std::function<int(const std::string&)> make;
        mode_t type;
    } kinds[] = {
        {"a link", [&](const std::string& at) { return symlink(led.c_str(), at.c_str()); }, S_IFLNK},
        {"a named pipe", [](const std::string& at) { return mkfifo(at.c_str(), 0600); }, S_IFIFO},
        {"a folder", [](const std::string& at) { return mkdir(at.c_str(), 0700); }, S_IFDIR},
    };
    std::vector<std::string> names;
    for (const auto& kind : kinds) {
        std::string name = ScratchPattern(target);
        names.push_back(name.replace(name.size() - 6, 6, "00000" + std::to_string(names.size())));
        ASSERT_EQ(kind.make(names.back()), 0) << kind.what;
    }
    TestStore store(dir);
    ASSERT_EQ(store.New(target.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(store, "made"), 1);
    store.Close();
    for (size_t i = 0; i < names.size(); ++i) {
        struct stat info;
        EXPECT_TRUE(lstat(names[i].c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kinds[i].type) << kinds[i].what;
    }
    EXPECT_EQ(ReadFile(led), "a host's notes");
    EXPECT_EQ(TpsKeys(target), "made");
}

// A scratch name is as long whatever the project's name: every name that
// fits the folder can be made, saved onto and removed.
TEST(HoldLifetime, ProjectsNamedWith250CharactersAreMadeSavedAndRemoved) {
    TempDir dir;
    const std::string target = dir.File(std::string(246, 'n') + ".prj");  // 250 characters
    TestStore store(dir);
    ASSERT_EQ(store.New(target.c_str(), 1), 1) << store.GetErrorInfo().GetString();
    ASSERT_EQ(AddTps(store, "first"), 1);
    ASSERT_EQ(store.New("", 1), 1);
    ASSERT_EQ(AddTps(store, "saved"), 1);
    store.SetFilePath(target.c_str());
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    store.Close();
    EXPECT_EQ(TpsKeys(target), "saved");
    CATMLCommonFun files;
    EXPECT_EQ(files.RemoveFile(target.c_str()), 1);
    EXPECT_FALSE(FileExists(target));
}

namespace {
// An untitled project whose rows, added by a writer killed before it wrote
// its log back, are in its log alone; the store knows it only by its path state.
void LeaveAnUntitledProject(TestStore& store, int rows) {
    ASSERT_EQ(store.New("", 1), 1);
    store.Close();
    std::string inserts;
    for (int i = 0; i < rows; ++i) inserts += "INSERT INTO TpsTable (TPS_UUID) VALUES ('r" + std::to_string(i) + "');";
    LeaveInTheLog(store.m_strTempPath.GetString(), inserts);
    store.SetFilePathState(FILEPATHSTATE_TEMP);
}
}  // namespace

TEST(UntitledSave, AStoreNotConnectedToTheUntitledProjectSavesWhatItsLogHolds) {
    TempDir dir;
    TestStore store(dir);
    LeaveAnUntitledProject(store, 100);
    const std::string saved = dir.File("saved.tarnprj");
    store.SetFilePath(saved.c_str());
    ASSERT_EQ(store.Save(), 1) << store.GetErrorInfo().GetString();
    EXPECT_EQ(store.State(), FILEPATHSTATE_FILE);
    store.Close();
    EXPECT_EQ(RawQuery(saved, "SELECT count(*) FROM TpsTable")[0][0], "100");

    // A copy of a store that closed their shared connection saves the same way.
    TestStore first(dir);
    ASSERT_EQ(first.New("", 1), 1);
    ASSERT_EQ(AddTps(first, "a"), 1);
    TestStore copy(first);
    first.Close();
    const std::string again = dir.File("again.tarnprj");
    copy.SetFilePath(again.c_str());
    ASSERT_EQ(copy.Save(), 1) << copy.GetErrorInfo().GetString();
    copy.Close();
    EXPECT_EQ(TpsKeys(again), "a");

    // Without an untitled project there is nothing to copy: the system's text.
    TestStore none(dir);
    none.m_strTempPath = dir.File("none.tarnprj").c_str();
    none.SetFilePathState(FILEPATHSTATE_TEMP);
    none.SetFilePath(dir.File("never.tarnprj").c_str());
    EXPECT_EQ(none.Save(), -1);
    EXPECT_EQ(std::string(none.GetErrorInfo()), SystemText(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(FileExists(dir.File("never.tarnprj")));
}

// Copies go on until one was made while the writer acknowledged a row (20
// at least): a copy that kept the writer out meanwhile would never see one.
TEST(UntitledSave, EveryCopyBesideAWritingProcessIsWholeWithEveryAcknowledgedRow) {
    TempDir dir;
    TestStore store(dir);
    LeaveAnUntitledProject(store, 0);
    // The writer counts the adds that returned 1 where the parent reads them.
    SharedCount acknowledged;
    ASSERT_TRUE(acknowledged.Made());
    const std::string temp = store.m_strTempPath.GetString();
    ChildProcess writer([&](ChildProcess& self) {
        TestStore own(dir);
        if (own.Open(temp.c_str()) != 1) return 2;
        self.Tell('w');
        for (int i = 0; !acknowledged.Stop(); ++i) {
            if (AddTps(own, "w" + std::to_string(10000 + i)) != 1) return 3;
            acknowledged.Count() = i + 1;
        }
        return 0;
    });
    struct StopAtTheEnd {
        SharedCount& shared;
        ~StopAtTheEnd() { shared.Stop() = true; }
    } stopAtTheEnd{acknowledged};
    ASSERT_EQ(writer.Heard(), 'w');
    int during = 0;  // copies while which the writer acknowledged a row
    for (int i = 0; i < 20 || (during == 0 && i < 500); ++i) {
        SCOPED_TRACE("copy " + std::to_string(i));
        const int before = acknowledged.Count();
        const std::string saved = dir.File("saved" + std::to_string(i) + ".tarnprj");
        TestStore saver(dir);
        saver.SetFilePathState(FILEPATHSTATE_TEMP);
        saver.SetFilePath(saved.c_str());
        ASSERT_EQ(saver.Save(), 1) << saver.GetErrorInfo().GetString();
        if (acknowledged.Count() > before) ++during;
        saver.Close();
        ASSERT_EQ(RawQuery(saved, "PRAGMA integrity_check")[0][0], "ok");
        const int rows = std::stoi(RawQuery(saved, "SELECT count(*) FROM TpsTable")[0][0]);
        EXPECT_GE(rows, before);
        if (before > 0) {
            const std::string last = "w" + std::to_string(10000 + before - 1);
            EXPECT_EQ(RawQuery(saved, "SELECT count(*) FROM TpsTable WHERE TPS_UUID = '" + last + "'")[0][0], "1");
        }
        unlink(saved.c_str());
    }
    EXPECT_GT(during, 0) << "no row was acknowledged while a copy was made";
    acknowledged.Stop() = true;
    EXPECT_EQ(writer.Wait(), 0);
}
