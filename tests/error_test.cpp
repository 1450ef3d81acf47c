#include <gtest/gtest.h>

#include "ATMLCommonError/ATMLError.h"

TEST(ErrorState, FreshObjectReadsSuccessAndEmptyTexts) {
    CATMLError error;
    EXPECT_EQ(error.GetErrorCode(), 1);
    EXPECT_EQ(error.GetErrorInfo(), "");
    EXPECT_EQ(error.GetErrorTrace(), "");
}

TEST(ErrorState, CodeTextsAtTheEdgesOfTheTable) {
    CATMLError error;
    EXPECT_EQ(error.GetErrorCodeText(-1), "错误");
    EXPECT_EQ(error.GetErrorCodeText(0), "警告");
    EXPECT_EQ(error.GetErrorCodeText(1), "成功");
    EXPECT_EQ(error.GetErrorCodeText(5), "不支持该功能");
    EXPECT_EQ(error.GetErrorCodeText(110), "无效的UUID值");
    EXPECT_EQ(error.GetErrorCodeText(600), "XML文件操作错误");
    for (long unknown : {7L, 29L, 109L, 999L, 1000L, -2L, 100000L})
        EXPECT_EQ(error.GetErrorCodeText(unknown), "不能识别的错误代码") << unknown;
    // The static lookup has no range check of its own but answers the same.
    EXPECT_EQ(CATMLError::ErrorCodeToText(1000), "不能识别的错误代码");
    EXPECT_EQ(CATMLError::ErrorCodeToText(60), "获取路径失败");
}

TEST(ErrorState, TraceLineIsByteExact) {
    CATMLError error;
    error.SetErrorCode(-1);
    error.SetErrorInfo("使用数据库查询之前未建立数据库连接！");
    error.SetErrorTrace("CTaDBMng::QueryDataInDB()");
    EXPECT_EQ(std::string(error.GetErrorTrace()),
              "-> 错误位置：CTaDBMng::QueryDataInDB()，（代码：-1，错误；信息：“使用数据库查询之前未建立数据库连接！”）。");
}

TEST(ErrorState, LineOfAnUnsetCodeShowsSuccess) {
    CATMLError error;
    error.SetErrorTrace("X::Y()");
    EXPECT_EQ(std::string(error.GetErrorTrace()), "-> 错误位置：X::Y()，（代码：1，成功；信息：“”）。");
}

TEST(ErrorState, TraceWithoutSourceStartsAfresh) {
    CATMLError error;
    error.SetErrorCode(-1);
    error.SetErrorInfo("a");
    error.SetErrorTrace("First()");
    error.SetErrorInfo("b");
    error.SetErrorTrace("Second()");
    EXPECT_EQ(std::string(error.GetErrorTrace()), "-> 错误位置：Second()，（代码：-1，错误；信息：“b”）。");
}

TEST(ErrorState, ChainedTraceTakesOverTheSourceAndFollowsItWithItsTrace) {
    CATMLError inner;
    inner.SetErrorCode(-1);
    inner.SetErrorInfo("内部");
    inner.SetErrorTrace("CTaDBMng::Execute()");

    CATMLError outer;
    outer.SetErrorCode(600);
    outer.SetErrorInfo("will be overwritten");
    outer.SetErrorTrace("CTaDBTDDataSingle::RenameItem_Tps()", &inner);
    EXPECT_EQ(outer.GetErrorCode(), -1);
    EXPECT_EQ(outer.GetErrorInfo(), "内部");
    EXPECT_EQ(std::string(outer.GetErrorTrace()),
              "-> 错误位置：CTaDBTDDataSingle::RenameItem_Tps()，（代码：-1，错误；信息：“内部”）。"
              "-> 错误位置：CTaDBMng::Execute()，（代码：-1，错误；信息：“内部”）。");

    // A third level puts its line before both.
    CATMLError top;
    top.SetErrorTrace("Host()", &outer);
    EXPECT_EQ(std::string(top.GetErrorTrace()).find("-> 错误位置：Host()"), 0u);
    EXPECT_NE(std::string(top.GetErrorTrace()).find("RenameItem_Tps()"), std::string::npos);
}

TEST(ErrorState, SourceWithEmptyTraceGivesOneLine) {
    CATMLError source;
    source.SetErrorCode(3);
    source.SetErrorInfo("p");
    CATMLError error;
    error.SetErrorTrace("Pos()", &source);
    EXPECT_EQ(std::string(error.GetErrorTrace()), "-> 错误位置：Pos()，（代码：3，指针为空；信息：“p”）。");
}

TEST(ErrorState, CopyAndAssignmentCarryAllThree) {
    CATMLError error;
    error.SetErrorCode(-1);
    error.SetErrorInfo("m");
    error.SetErrorTrace("P()");
    CATMLError copy(error);
    CATMLError assigned;
    CATMLError& result = (assigned = error);
    EXPECT_EQ(&result, &assigned);
    for (const CATMLError* e : {&copy, &assigned}) {
        EXPECT_EQ(e->GetErrorCode(), -1);
        EXPECT_EQ(e->GetErrorInfo(), "m");
        EXPECT_EQ(e->GetErrorTrace(), error.GetErrorTrace());
    }
}
