#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <regex>
#include <set>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLViewLayer/TaDB/RuriDAriRAZudidarUri/RuriDAriRAZudidarUri.h"
#include "platform/com/Com.h"
#include "support/TestFiles.h"
#include "support/SystemTexts.h"

TEST(CommonFun, GuidStringsAreThirtySixUpperHexWithHyphensAndNeverRepeat) {
    const std::regex form("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
    std::set<std::string> seen;
    const int before = CoInitializeCount();
    for (int i = 0; i < 20000; ++i) {
        std::string key = CATMLCommonFun::CreateGUIDString().GetString();
        ASSERT_TRUE(std::regex_match(key, form)) << key;
        ASSERT_TRUE(seen.insert(key).second) << "repeated " << key;
    }
    EXPECT_EQ(CoInitializeCount(), before);
}

TEST(CommonFun, OsErrorMessageWithAndWithoutASystemText) {
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(2)), "操作系统错误信息：(2)，系统找不到指定的文件。\r\n");
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(80)), "操作系统错误信息：(80)，文件存在。\r\n");
    // A sharing violation: the text of a file in use, which copies and removals of a held project give.
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(32)),
              "操作系统错误信息：(32)，另一个程序正在使用此文件，进程无法访问。\r\n");
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(987654)), "操作系统错误信息：(987654)。\r\n");
    // Numbers read as signed 32-bit values.
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(0xFFFFFFFF)), "操作系统错误信息：(-1)。\r\n");
    EXPECT_EQ(std::string(CATMLCommonFun::GetOSErrorMessage(0x80004005)), "操作系统错误信息：(-2147467259)。\r\n");
}

TEST(CommonFun, ModulePathOfTheLibraryFullAndFolder) {
    ASSERT_NE(g_hInstance, nullptr);
    CATMLCommonFun fun;
    CString full, folder;
    ASSERT_EQ(fun.GetModulePath(full, g_hInstance, true), 1);
    ASSERT_EQ(fun.GetModulePath(folder, g_hInstance, false), 1);
    // Linked into this test program, the library's own file is the program;
    // the installed shared library is checked by InstallAndBuildAHost.
    char* self = realpath("/proc/self/exe", nullptr);
    char* module = realpath(full.GetString(), nullptr);
    ASSERT_TRUE(self && module);
    EXPECT_EQ(std::string(module), self);
    std::free(self);
    std::free(module);
    EXPECT_EQ(std::string(full).rfind(std::string(folder) + "/", 0), 0u);
    EXPECT_NE(folder.Right(1), "/");
    EXPECT_TRUE(FileExists(full.GetString()));
    EXPECT_EQ(fun.GetErrorCode(), 1);
}

TEST(CommonFun, ModulePathOfAnUnknownModuleFailsWithCode60) {
    CATMLCommonFun fun;
    CString path = "unchanged";
    int local = 0;
    EXPECT_EQ(fun.GetModulePath(path, &local, false), -1);
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(fun.GetErrorCode(), 60);
    EXPECT_EQ(std::string(fun.GetErrorInfo()), SystemText(126));
    EXPECT_EQ(fun.GetErrorTrace(), "");
}

TEST(CommonFun, ThreadAttachAndDetachChangeNothing) {
    HINSTANCE kept = g_hInstance;
    EXPECT_EQ(DllMain(nullptr, DLL_THREAD_ATTACH, nullptr), 1);
    EXPECT_EQ(DllMain(nullptr, DLL_THREAD_DETACH, nullptr), 1);
    EXPECT_EQ(g_hInstance, kept);
}
