// Project files made by others, changed with raw SQL: nothing SQL that a
// file carries runs, every read and list change ends, a refused Open leaves
// the file and its log as they were, and long signal content is read in one
// pass. What could run forever runs in a child that must end within a bound.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "ATMLLogicLayer/ATMLTestDescriptionLogic/StdSignal/StdInstantaneous.h"
#include "support/ChildProcess.h"
#include "support/TestStore.h"

namespace {
// Far above the moments each operation below takes, far below the hours
// that one that never ends (or a reader of square time) would take.
const int kBoundSeconds = 60;

// What body gives, run in a forked child that must end within the bound;
// one that has to be killed fails the test.
std::string Bounded(const TempDir& dir, const std::function<std::string()>& body) {
    const std::string out = dir.File("child.out");
    std::remove(out.c_str());
    ChildProcess child([&](ChildProcess&) {
        WriteFile(out, body());
        return 0;
    });
    EXPECT_TRUE(child.EndsWithin(kBoundSeconds)) << "killed after " << kBoundSeconds << " s";
    return FileExists(out) ? ReadFile(out) : "<killed>";
}
}  // namespace

// Items that name no attribute of the type, 4 MB of them, before one that
// does: read in one pass, where a scan to the end for every item would take
// hours.
TEST(HostileFiles, LongSignalContentIsReadInOnePass) {
    TempDir dir;
    const std::string project = MakeProject(dir, "p.tarnprj");
    const std::string nominal = Bounded(dir, [&] {
        TestStore store(dir);
        if (store.Open(project.c_str()) != 1) return std::string("not opened");
        std::string content;
        while (content.size() < (4u << 20)) content += "freq(1 Hz),";
        CTaDBActionSetup record;
        record.m_strSignalType = CStdSignal::GetSignalType(TD_SIGNAL_RESISTANCE);
        record.m_strSignalContent = CString(content + "nominal(5 Ohm)");
        std::unique_ptr<CStdSignal> signal(store.GetStdSignal(store, record));
        const auto* resistance = dynamic_cast<const CStdInstantaneous*>(signal.get());
        return resistance ? resistance->GetNominal().str() : std::string("no resistance");
    });
    EXPECT_EQ(nominal, "5 Ohm");
}
