// Open, New and Save with one allocation failing at each of their steps in
// turn, the engine's own allocations included: every run answers (1, or -1
// with the out-of-memory text), leaves the project whole for a fresh store
// (a refused Open leaves the file byte for byte as it was; New and Save
// place a whole project or none, and nothing of their own beside it), and
// the store's next call works.
#include <gtest/gtest.h>

#include <dirent.h>
#include <set>
#include <sqlite3.h>
#include <unistd.h>

#include "oom/SampleProject.h"
#include "oom/Sweep.h"
#include "platform/ado/Connection.h"

namespace {
using failing::CallFailing;
using failing::Outcome;
using failing::Sweep;

// The names in a folder.
std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    DIR* listing = opendir(folder.c_str());
    for (dirent* entry; listing && (entry = readdir(listing));)
        if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") names.insert(entry->d_name);
    if (listing) closedir(listing);
    return names;
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        project = sample::Make(dir, "project.tarnprj");
        rows = sample::Rows(dir, project);
        fresh = sample::Rows(dir, MakeProject(dir, "fresh.tarnprj"));
    }

    TempDir dir;
    std::string project;
    std::string rows;   // what a fresh store reads of the project
    std::string fresh;  // what it reads of a new project
};

TEST_F(ProjectFileTest, OpenAnswersAndLeavesTheFileAsItWas) {
    const std::string bytes = ReadFile(project);
    const std::set<std::string> names = NamesIn(dir.Path());
    const long runs = Sweep([&](long n) {
        TestStore store(dir);
        CString path(project.c_str());
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = store.Open(std::move(path)); });
        EXPECT_ANSWERED(result, store, n);
        if (result != 1) {
            EXPECT_EQ(store.State(), FILEPATHSTATE_NONE) << "allocation " << n;
        } else {
            // Nothing of Open's reading is left open, which the store's
            // next change would take for a transaction of the host's.
            EXPECT_NE(sqlite3_get_autocommit(store.m_dbMng.m_pConnection->Handle()), 0) << "allocation " << n;
        }
        store.Close();
        EXPECT_EQ(ReadFile(project), bytes) << "allocation " << n;
        EXPECT_EQ(NamesIn(dir.Path()), names) << "allocation " << n;
        EXPECT_EQ(store.Open(project.c_str()), 1) << "allocation " << n;
        store.Close();
        return outcome;
    });
    EXPECT_EQ(sample::Rows(dir, project), rows);
    RecordProperty("runs", static_cast<int>(runs));
}

TEST_F(ProjectFileTest, NewAnswersAndPlacesAWholeProjectOrNone) {
    const std::string target = dir.File("new.tarnprj");
    const std::set<std::string> names = NamesIn(dir.Path());
    TestStore store(dir);
    const long runs = Sweep([&](long n) {
        unlink(target.c_str());
        CString path(target.c_str());
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = store.New(std::move(path), 1); });
        EXPECT_ANSWERED(result, store, n);
        store.Close();
        std::set<std::string> left = NamesIn(dir.Path());
        if (left.erase("new.tarnprj")) {
            EXPECT_EQ(sample::Rows(dir, target), fresh) << "allocation " << n;
        }
        EXPECT_EQ(left, names) << "allocation " << n;
        EXPECT_EQ(store.New(target.c_str(), 1), 1) << "allocation " << n;
        store.Close();
        return outcome;
    });
    RecordProperty("runs", static_cast<int>(runs));
}

// Save of the untitled project, allocation n failing (and every one after
// it, when sticky): a whole copy at the target or none; the store on the
// copy where Save answered 1, and else on the untitled project as it was;
// its next call works there, and nothing is lost.
class SaveTest : public ProjectFileTest {
protected:
    Outcome SaveFailing(long n, bool sticky) {
        unlink(target.c_str());
        EXPECT_EQ(store.New("", 1), 1);
        sample::CopyOver(project, untitled);
        EXPECT_EQ(store.New("", 0), 1);
        store.SetFilePath(target.c_str());
        store.SetModifyState(1);
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = store.Save(); }, sticky);
        EXPECT_ANSWERED(result, store, n);
        if (FileExists(target)) {
            EXPECT_EQ(sample::Rows(dir, target), rows) << "allocation " << n;
        }
        const bool saved = result == 1;
        if (!saved) {
            ++failed;
            if (FileExists(target)) ++placedNotOpened;
        }
        EXPECT_EQ(store.State(), saved ? FILEPATHSTATE_FILE : FILEPATHSTATE_TEMP) << "allocation " << n;
        EXPECT_EQ(store.Modified(), saved ? 0 : 1) << "allocation " << n;
        EXPECT_EQ(store.Path(), target) << "allocation " << n;
        EXPECT_TRUE(store.m_dbMng.m_pConnection && store.m_dbMng.m_pConnection->Path() == (saved ? target : untitled))
            << "allocation " << n;
        CObList entries;
        EXPECT_EQ(store.GetAllItem_EntryTable(entries), 1) << "allocation " << n;
        EXPECT_EQ(entries.GetCount(), sample::kEntries) << "allocation " << n;
        store.ClearObjectList(entries, "");
        if (!saved) {
            EXPECT_EQ(store.Save(), 1) << "allocation " << n;
        }
        EXPECT_EQ(store.Path(), target) << "allocation " << n;
        store.Close();
        EXPECT_EQ(sample::Rows(dir, target), rows) << "allocation " << n;
        return outcome;
    }

    // The runs that failed, and those of them whose copy was in place.
    void ExpectBothReached() const {
        EXPECT_GT(failed, 0);
        EXPECT_GT(placedNotOpened, 0);
    }

    const std::string target = dir.File("saved.tarnprj");
    long failed = 0;
    long placedNotOpened = 0;
    TestStore store{dir};
    const std::string untitled = store.m_strTempPath.GetString();
};

TEST_F(SaveTest, SaveAnswersAndPlacesAWholeCopyOrNone) {
    const long runs = Sweep([&](long n) { return SaveFailing(n, false); });
    ExpectBothReached();
    RecordProperty("runs", static_cast<int>(runs));
}

TEST_F(SaveTest, WithMemoryExhaustedSaveLeavesTheStoreOnItsProjectOrOnTheCopy) {
    const long runs = Sweep([&](long n) { return SaveFailing(n, true); });
    ExpectBothReached();
    RecordProperty("runs", static_cast<int>(runs));
}

}  // namespace
