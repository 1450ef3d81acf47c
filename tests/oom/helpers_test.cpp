// The common helpers, the error state and the signal helpers of the store
// with one allocation failing at each of their steps in turn: no run
// throws, and each gives what it gives without the failure or its
// documented failure (a member helper -1 with its code and the
// out-of-memory text, a static one the empty text, a conversion no object
// with the out-of-memory text in the error state).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"
#include "ATMLViewLayer/TaDB/DBTDOther/StdTwoWire.h"
#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"
#include "oom/SampleProject.h"
#include "oom/Sweep.h"

namespace {
using failing::CallFailing;
using failing::Outcome;
using failing::Sweep;

// What a call works on and gives, made before its allocations are counted.
struct Probe {
    explicit Probe(const TempDir& dir) : dir(dir), store(dir) {
        setup.m_strActionUuid = "setup-0";
        setup.m_strActionName = "Setup 0";
        setup.m_strSignalUuid = "sig-0";
        setup.m_strSignalType = "直流信号";
        setup.m_strSignalContent = "dc_ampl(5 V),ac_ampl(1 V)";
        connect.m_strSignalUuid = "sig-0";
        connect.m_strConnectType = "差分";
        source.m_nErrorCode = -1;
        source.m_strErrorInfo = "the source's own message, long enough to be allocated";
        source.m_strErrorTrace = "-> the source's trace, long enough to be allocated too";
        list.InsertColumn(0, "first", 0, 10, 0);
        list.InsertColumn(1, "second", 0, 10, 1);
        folders = (dir.Path() + "/tree/of/folders/deep").c_str();
    }
    const TempDir& dir;
    CATMLCommonFun helper;
    CATMLError state;
    CATMLError source;
    TestStore store;
    CTaDBActionSetup setup;
    CTaDBActionConnect connect;
    CTaDBSignal signal;
    CListCtrl list;
    // Arguments a host passes by value, moved in so that their copies are not counted.
    CString folders;
    CString name = "名称,含逗号的名称";
    CString path = "/a/folder/of/some/length/project.file.tarnprj";
    CString position = "CTaDBTDDataSingle::SomeOperation()";
    CString content = "ramp(first item, the second item)";
    CString listName = "ramp";
    const CString rowTexts[2] = {"a first text, long enough to be allocated", "a second"};
    int result = 0;
    CString text;
    std::unique_ptr<CStdSignal> made;
    std::unique_ptr<CStdTwoWire> wire;
};

// One helper: call runs it (counted), answer tells what it gave; failure is
// the answer of its documented failure.
struct HelperCall {
    const char* name;
    std::function<void(Probe&)> call;
    std::function<std::string(Probe&)> answer;
    std::vector<std::string> failures;
};

void PrintTo(const HelperCall& call, std::ostream* out) { *out << call.name; }

// A member helper's result, code and message; the texts it gives only where it succeeded.
std::string HelperAnswer(const Probe& p, const std::string& given) {
    return std::to_string(p.result) + " " + std::to_string(p.helper.m_nErrorCode) + " " +
           p.helper.m_strErrorInfo.GetString() + (p.result == 1 ? " " + given : "");
}

// A store's conversion: the object's signal name, or the store's failure.
std::string ConversionAnswer(const Probe& p, bool made, const CString& name) {
    return made ? "made " + std::string(name.GetString())
                : "none " + std::to_string(p.store.m_nErrorCode) + " " + p.store.m_strErrorInfo.GetString();
}

const HelperCall kHelpers[] = {
    {"ModulePath", [](Probe& p) { p.result = p.helper.GetModulePath(p.text, g_hInstance, false); },
     [](Probe& p) { return HelperAnswer(p, p.text.GetString()); }, {"-1 60 " OUT_OF_MEMORY_TEXT}},
    {"DirectoryTree",
     [](Probe& p) { p.result = p.helper.CreateDirectoryTree(std::move(p.folders)); },
     [](Probe& p) {
         // A failed run leaves the folders made before it; the next run goes on from there.
         return HelperAnswer(p, FileExists(p.dir.File("tree/of/folders/deep")) ? "made" : "missing");
     },
     {"-1 60 " OUT_OF_MEMORY_TEXT}},
    {"CheckName", [](Probe& p) { p.result = CATMLCommonFun::CheckName(std::move(p.name), p.text); },
     [](Probe& p) { return std::to_string(p.result) + " " + p.text.GetString(); },
     {"-1 " OUT_OF_MEMORY_TEXT}},
    {"FileTitle",
     [](Probe& p) { CATMLCommonFun::GetFileTitle(std::move(p.path), p.text, false); },
     [](Probe& p) { return std::string(p.text.GetString()); }, {""}},
    {"NewKey", [](Probe& p) { p.text = CATMLCommonFun::CreateGUIDString(); },
     [](Probe& p) { return std::to_string(p.text.GetLength()); }, {"0"}},
    {"SystemErrorText", [](Probe& p) { p.text = CATMLCommonFun::GetOSErrorMessage(2); },
     [](Probe& p) { return std::string(p.text.GetString()); }, {""}},
    {"ListRow",
     [](Probe& p) { p.result = p.helper.InsertListRow(&p.list, p.rowTexts, 2, 0, -1); },
     [](Probe& p) { return HelperAnswer(p, p.list.GetItemText(p.list.GetItemCount() - 1, 1).GetString()); },
     {"-1 31 " OUT_OF_MEMORY_TEXT}},
    {"TraceFromASource", [](Probe& p) { p.state.SetErrorTrace(std::move(p.position), &p.source); },
     [](Probe& p) {
         return std::to_string(p.state.m_nErrorCode) + " " + p.state.m_strErrorInfo.GetString() + " " +
                std::to_string(p.state.m_strErrorTrace.Find(p.source.m_strErrorTrace) > 0);
     },
     // Without room for the out-of-memory text the state keeps none.
     {"-1 " OUT_OF_MEMORY_TEXT " 0", "-1  0"}},
    {"ErrorInfoCopy", [](Probe& p) { p.text = p.source.GetErrorInfo(); },
     [](Probe& p) { return std::string(p.text.GetString()); }, {""}},
    {"SignalOfASetup", [](Probe& p) { p.made.reset(p.store.GetStdSignal(p.store, p.setup)); },
     [](Probe& p) { return ConversionAnswer(p, p.made != nullptr, p.made ? p.made->GetStdSignalRef().m_strName : ""); },
     {"none -1 " OUT_OF_MEMORY_TEXT}},
    {"WireOfAConnect", [](Probe& p) { p.wire.reset(p.store.GetStdTwoWire(p.store, p.connect)); },
     [](Probe& p) { return ConversionAnswer(p, p.wire != nullptr, p.wire ? p.wire->GetStdSignalRef().m_strName : ""); },
     {"none -1 " OUT_OF_MEMORY_TEXT}},
    {"SignalRow",
     [](Probe& p) { p.result = CTaDBTDDataBase::GetDBSignal(p.store, "sig-0", p.signal, p.text); },
     [](Probe& p) {
         return std::to_string(p.result) + " " + (p.result == 1 ? p.signal.m_strSignalName : p.text).GetString();
     },
     {"0 " OUT_OF_MEMORY_TEXT}},
    // A refusal whose text memory is too short for answers as running out of memory.
    {"MissingRow", [](Probe& p) { p.result = p.store.GetItem_Signal(p.signal, 1, "none"); },
     [](Probe& p) { return std::to_string(p.result) + " " + p.store.m_strErrorInfo.GetString(); },
     {"-1 " OUT_OF_MEMORY_TEXT}},
    {"ParameterListItem",
     [](Probe& p) { p.text = CTaDBTDDataBase::AnalysisParaList(std::move(p.content), std::move(p.listName), 2); },
     [](Probe& p) { return std::string(p.text.GetString()); }, {""}},
};

class HelperCallTest : public ::testing::TestWithParam<HelperCall> {
protected:
    void SetUp() override {
        project = sample::Make(dir, "project.tarnprj");
        Probe probe(dir);
        ASSERT_EQ(probe.store.Open(project.c_str()), 1);
        GetParam().call(probe);
        succeeded = GetParam().answer(probe);
        for (const std::string& failure : GetParam().failures) ASSERT_NE(succeeded, failure);
    }

    TempDir dir;
    std::string project;
    std::string succeeded;
};

TEST_P(HelperCallTest, EachFailedAllocationGivesTheResultOrTheDocumentedFailure) {
    const long runs = Sweep([&](long n) {
        Probe probe(dir);
        EXPECT_EQ(probe.store.Open(project.c_str()), 1);
        const Outcome outcome = CallFailing(n, [&] { GetParam().call(probe); });
        const std::string answer = GetParam().answer(probe);
        const std::vector<std::string>& failures = GetParam().failures;
        if (answer != succeeded) {
            EXPECT_NE(std::find(failures.begin(), failures.end(), answer), failures.end())
                << "allocation " << n << " gave " << answer;
        }
        return outcome;
    });
    RecordProperty("runs", static_cast<int>(runs));
}

INSTANTIATE_TEST_SUITE_P(Helpers, HelperCallTest, ::testing::ValuesIn(kHelpers),
                         [](const ::testing::TestParamInfo<HelperCall>& info) { return info.param.name; });

}  // namespace
