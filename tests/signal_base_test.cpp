#include <gtest/gtest.h>

#include "ATMLViewLayer/TaDB/DBTDOther/StdSignal.h"

namespace {
void SetErrorState(CATMLError& object, const char* message) {
    object.SetErrorCode(-1);
    object.SetErrorInfo(message);
    object.SetErrorTrace("Source()");
}

// A signal whose every readable member differs from the defaults.
CStdSignal FilledSignal(TD_TESTROLE_TYPE role) {
    CStdSignal signal;
    signal.SetStdSignalType(TD_SIGNAL_AC);
    signal.SetActName("act");
    _TD_REF ref;
    ref.m_nRange = TD_REF_GLOBAL;
    ref.m_nRole = role;
    ref.m_strName = "sig";
    signal.SetStdSignalRef(ref);
    signal.SetMeasureInfo("info");
    signal.m_stdParameterTransfer.SetID("pid");
    signal.m_stdParameterTransfer.SetName("pname");
    signal.m_stdParameterTransfer.SetIsUse(1);
    signal.m_stdMeasure.SetName("mid");
    signal.m_stdMeasure.SetAs("as");
    signal.m_stdMeasure.SetAttribute("attr");
    signal.m_stdMeasure.SetIsUse(1);
    SetErrorState(signal, "source");
    return signal;
}

void ExpectSameContent(CStdSignal& a, CStdSignal& b) {
    EXPECT_EQ(a.GetActName(), b.GetActName());
    EXPECT_EQ(a.GetStdSignalRef().m_nRange, b.GetStdSignalRef().m_nRange);
    EXPECT_EQ(a.GetStdSignalRef().m_nRole, b.GetStdSignalRef().m_nRole);
    EXPECT_EQ(a.GetStdSignalRef().m_strName, b.GetStdSignalRef().m_strName);
    EXPECT_EQ(a.GetMeasureInfo(), b.GetMeasureInfo());
    EXPECT_EQ(a.m_stdParameterTransfer.GetID(), b.m_stdParameterTransfer.GetID());
    EXPECT_EQ(a.m_stdParameterTransfer.GetName(), b.m_stdParameterTransfer.GetName());
    EXPECT_EQ(a.m_stdMeasure.GetName(), b.m_stdMeasure.GetName());
    EXPECT_EQ(a.m_stdMeasure.GetAs(), b.m_stdMeasure.GetAs());
    EXPECT_EQ(a.m_stdMeasure.GetAttribute(), b.m_stdMeasure.GetAttribute());
}
}  // namespace

TEST(StdSignal, NewSignalHoldsTheDefaults) {
    CStdSignal a, b;
    EXPECT_EQ(a.GetStdSignalType(), TD_SIGNAL_NONE);
    EXPECT_EQ(a.GetActName(), "");
    EXPECT_EQ(a.GetMeasureInfo(), "");
    EXPECT_EQ(a.GetStdSignalRef().m_nRange, TD_REF_LOCAL);
    EXPECT_EQ(a.GetStdSignalRef().m_nRole, TD_ROLE_STIMULUS);
    EXPECT_EQ(a.GetStdSignalRef().m_strName, "");
    EXPECT_EQ(a.m_stdParameterTransfer.GetID(), "");
    EXPECT_EQ(a.m_stdParameterTransfer.GetName(), "");
    EXPECT_EQ(a.m_stdParameterTransfer.GetIsUse(), 0);
    EXPECT_EQ(a.m_stdMeasure.GetName().GetLength(), 36);
    EXPECT_EQ(a.m_stdMeasure.GetAs(), "");
    EXPECT_EQ(a.m_stdMeasure.GetAttribute(), "");
    EXPECT_EQ(a.m_stdMeasure.GetIsUse(), 0);
    EXPECT_NE(a.m_stdMeasure.GetName(), b.m_stdMeasure.GetName());
    EXPECT_EQ(a.GetErrorCode(), 1);
    _TD_REF ref;
    EXPECT_EQ(ref.m_nRange, TD_REF_LOCAL);
    EXPECT_EQ(ref.m_nRole, TD_ROLE_STIMULUS);
}

TEST(StdSignal, AssignmentClearsTheFlagsTheSourceRoleRulesOut) {
    struct Case {
        int role, transferInUse, measureInUse;
    };
    for (Case c : {Case{1, 1, 0}, Case{2, 0, 1}, Case{3, 0, 0}, Case{0, 0, 0}, Case{-7, 0, 0}}) {
        SCOPED_TRACE(c.role);
        CStdSignal source = FilledSignal(static_cast<TD_TESTROLE_TYPE>(c.role));
        CStdSignal target;
        target = source;
        EXPECT_EQ(target.m_stdParameterTransfer.GetIsUse(), c.transferInUse);
        EXPECT_EQ(target.m_stdMeasure.GetIsUse(), c.measureInUse);
        CStdSignal copy(source);
        EXPECT_EQ(copy.m_stdParameterTransfer.GetIsUse(), 1);
        EXPECT_EQ(copy.m_stdMeasure.GetIsUse(), 1);
    }
}

TEST(StdSignal, AssignmentKeepsTypeAndErrorStateWhileCopyTakesThem) {
    CStdSignal source = FilledSignal(TD_ROLE_MONITORING);
    CStdSignal target;
    target.SetStdSignalType(TD_SIGNAL_DC);
    SetErrorState(target, "target");
    const CString targetTrace = target.GetErrorTrace();
    target = source;
    ExpectSameContent(target, source);
    EXPECT_EQ(target.GetStdSignalType(), TD_SIGNAL_DC);
    EXPECT_EQ(target.GetErrorInfo(), "target");
    EXPECT_EQ(target.GetErrorTrace(), targetTrace);

    CStdSignal copy(source);
    ExpectSameContent(copy, source);
    EXPECT_EQ(copy.GetStdSignalType(), TD_SIGNAL_AC);
    EXPECT_EQ(copy.GetErrorInfo(), "source");
    EXPECT_EQ(copy.GetErrorTrace(), source.GetErrorTrace());
}

TEST(StdSignal, SelfAssignmentKeepsTheContent) {
    CStdSignal signal = FilledSignal(TD_ROLE_MONITORING);
    CStdSignal& same = signal;
    signal = same;
    EXPECT_EQ(signal.m_stdParameterTransfer.GetIsUse(), 1);
    EXPECT_EQ(signal.m_stdMeasure.GetIsUse(), 1);
    EXPECT_EQ(signal.GetActName(), "act");
}

TEST(StdSignal, ReferenceIsReachedInPlaceAndSetByValue) {
    CStdSignal signal;
    signal.GetStdSignalRef().m_strName = "renamed";
    signal.GetStdSignalRef().m_nRole = TD_ROLE_MEASUREMENT;
    EXPECT_EQ(signal.GetStdSignalRef().m_strName, "renamed");
    EXPECT_EQ(signal.GetStdSignalRef().m_nRole, TD_ROLE_MEASUREMENT);
    _TD_REF ref;
    ref.m_strName = "other";
    signal.SetStdSignalRef(ref);
    ref.m_strName = "changed later";
    EXPECT_EQ(signal.GetStdSignalRef().m_strName, "other");
    EXPECT_EQ(signal.GetStdSignalRef().m_nRole, TD_ROLE_STIMULUS);
}

TEST(StdSignalParts, AssignmentCopiesEveryMemberButTheErrorState) {
    CStdMeasure measure;
    measure.SetAs("as");
    measure.SetAttribute("attr");
    measure.SetIsUse(1);
    SetErrorState(measure, "measure");
    CStdMeasure target;
    target = measure;
    EXPECT_EQ(target.GetName(), measure.GetName());
    EXPECT_EQ(target.GetAs(), "as");
    EXPECT_EQ(target.GetAttribute(), "attr");
    EXPECT_EQ(target.GetIsUse(), 1);
    EXPECT_EQ(target.GetErrorCode(), 1);
    EXPECT_EQ(CStdMeasure(measure).GetErrorInfo(), "measure");

    CStdParameterTransfer transfer;
    transfer.SetID("id");
    transfer.SetName("name");
    transfer.SetIsUse(2);
    SetErrorState(transfer, "transfer");
    CStdParameterTransfer other;
    other = transfer;
    EXPECT_EQ(other.GetID(), "id");
    EXPECT_EQ(other.GetName(), "name");
    EXPECT_EQ(other.GetIsUse(), 2);
    EXPECT_EQ(other.GetErrorCode(), 1);
    EXPECT_EQ(CStdParameterTransfer(transfer).GetErrorInfo(), "transfer");
}
