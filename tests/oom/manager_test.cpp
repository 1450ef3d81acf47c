// The connection manager with one allocation failing at each step of a
// connect, a query and a statement, the engine's own allocations included:
// every run answers 1, or -1 with the out-of-memory text (never the preset
// unknown error), the project is whole for a fresh store, and the
// manager's next call works.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "ATMLCommonError/TaDBMng.h"
#include "oom/SampleProject.h"
#include "oom/Sweep.h"

namespace {
using failing::CallFailing;
using failing::Outcome;
using failing::Sweep;

// One call of the manager on a connected manager (but the connect); the
// texts are the host's, made before the call and moved into it. The
// connection info is copied into the call whatever is done: its text is
// short enough to need no allocation, the project named from its folder.
struct ManagerCall {
    const char* name;
    int (*call)(CTaDBMng& mng, CString& text);
    const char* text;
};

void PrintTo(const ManagerCall& call, std::ostream* out) { *out << call.name; }

const ManagerCall kManagerCalls[] = {
    {"Connect",
     [](CTaDBMng& mng, CString& text) {
         _DB_CONNECT_INFO info;
         info.m_strConnectionString = std::move(text);
         return mng.ConnectDB(info);
     },
     "Data Source=p"},
    {"Query", [](CTaDBMng& mng, CString& text) { return mng.QueryDataInDB(std::move(text)); },
     "Select * From ActionSetupTable Where ACTION_UUID Like 'setup-%%'"},
    {"Statement", [](CTaDBMng& mng, CString& text) { return mng.Execute(std::move(text)); },
     "Update ActionSetupTable Set ACTION_NAME='renamed by the host' Where ACTION_UUID='setup-1'"},
};

class ManagerCallTest : public ::testing::TestWithParam<ManagerCall> {
protected:
    void SetUp() override {
        ASSERT_EQ(chdir(dir.Path().c_str()), 0);
        pristine = sample::Make(dir, "pristine.tarnprj");
        before = sample::Rows(dir, pristine);
        sample::CopyOver(pristine, project);
        CTaDBMng mng;
        ASSERT_EQ(Connected(mng), 1);
        CString text = Text();
        ASSERT_EQ(GetParam().call(mng, text), 1);
        mng.CloseDB();
        succeeded = sample::Rows(dir, project);
    }

    void TearDown() override { chdir(folder.c_str()); }

    CString Text() const { return GetParam().text; }

    // The manager connected to the project, but for the connect itself.
    int Connected(CTaDBMng& mng) const {
        if (GetParam().call == kManagerCalls[0].call) return 1;
        _DB_CONNECT_INFO info;
        info.m_strConnectionString = ("Data Source=" + project).c_str();
        return mng.ConnectDB(info);
    }

    TempDir dir;
    std::string pristine;
    const std::string project = dir.File("p");
    const std::string folder = std::filesystem::current_path().string();
    std::string before;
    std::string succeeded;
};

TEST_P(ManagerCallTest, EachFailedAllocationIsAnsweredWithItsOwnText) {
    const long runs = Sweep([&](long n) {
        sample::CopyOver(pristine, project);
        CTaDBMng mng;
        EXPECT_EQ(Connected(mng), 1);
        CString text = Text();
        int result = 0;
        const Outcome outcome = CallFailing(n, [&] { result = GetParam().call(mng, text); });
        EXPECT_ANSWERED(result, mng, n);
        if (result != 1) {
            EXPECT_EQ(sample::Rows(dir, project), before) << "allocation " << n;
            text = Text();
            EXPECT_EQ(GetParam().call(mng, text), 1) << "allocation " << n;
        }
        mng.CloseDB();
        EXPECT_EQ(sample::Rows(dir, project), succeeded) << "allocation " << n;
        return outcome;
    });
    RecordProperty("runs", static_cast<int>(runs));
}

INSTANTIATE_TEST_SUITE_P(Manager, ManagerCallTest, ::testing::ValuesIn(kManagerCalls),
                         [](const ::testing::TestParamInfo<ManagerCall>& info) { return info.param.name; });

}  // namespace
