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

TEST_F(ProjectFileTest, SaveAnswersAndPlacesAWholeCopyOrNone) {
    const std::string target = dir.File("saved.tarnprj");
    TestStore store(dir);
    const std::string untitled = store.m_strTempPath.GetString();
    const long runs = Sweep([&](long n) {
        unlink(target.c_str());
        EXPECT_EQ(store.New("", 1), 1);
        sample::CopyOver(project, untitled);
        EXPECT_EQ(store.New("", 0), 1);
        store.SetFilePath(target.c_str());
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = store.Save(); });
        EXPECT_ANSWERED(result, store, n);
        if (FileExists(target)) {
            EXPECT_EQ(sample::Rows(dir, target), rows) << "allocation " << n;
        }
        if (result != 1) {
            EXPECT_EQ(store.Save(), 1) << "allocation " << n;
        }
        EXPECT_EQ(store.Path(), target) << "allocation " << n;
        store.Close();
        EXPECT_EQ(sample::Rows(dir, target), rows) << "allocation " << n;
        return outcome;
    });
    RecordProperty("runs", static_cast<int>(runs));
}

}  // namespace
