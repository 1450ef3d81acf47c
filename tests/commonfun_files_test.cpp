#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Time.h"
#include "support/TestFiles.h"

namespace {
std::string Failure(const std::string& subject, DWORD error) {
    return subject + "，“" + CATMLCommonFun::GetOSErrorMessage(error).GetString() + "”。";
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

TEST(CommonFunFiles, PathPiecesCutAtTheLastOfEitherSeparator) {
    struct Case { const char* path; const char* dir; const char* name; const char* title; const char* ext; };
    const Case cases[] = {
        {"D:\\a\\b.txt", "D:\\a", "b.txt", "b", "txt"},
        {"/a/b.txt", "/a", "b.txt", "b", "txt"},
        {"/a\\b/c.tar.gz", "/a\\b", "c.tar.gz", "c.tar", "gz"},
        {"b.txt", "", "b.txt", "b", "txt"},
        {"D:\\a\\b", "D:\\a", "b", "b", ""},
        {"/a.d/b", "/a.d", "b", "b", ""},
        {"/a/b/", "/a/b", "", "", ""},
        {"a\\", "a", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        CString dir, name, title, withExt, ext;
        CATMLCommonFun::GetFileDir(c.path, dir);
        CATMLCommonFun::GetFileName(c.path, name);
        CATMLCommonFun::GetFileTitle(c.path, title, false);
        CATMLCommonFun::GetFileTitle(c.path, withExt, true);
        CATMLCommonFun::GetFileExt(c.path, ext);
        EXPECT_EQ(dir, c.dir) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
        EXPECT_EQ(title, c.title) << c.path;
        EXPECT_EQ(withExt, c.name) << c.path;
        EXPECT_EQ(ext, c.ext) << c.path;
    }
}

TEST(CommonFunFiles, DirectoryTreesMadeFromEitherSeparatorAndTrailingOnes) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.File("some").c_str(), 0777), 0);
    const std::pair<std::string, std::string> cases[] = {  // path given, deepest folder made
        {dir.Path(), dir.Path()},
        {dir.File("some/a/b"), dir.File("some/a/b")},
        {dir.File("x\\y\\"), dir.File("x/y")},
        {dir.File("p/q/"), dir.File("p/q")},
    };
    for (const auto& [path, made] : cases) {
        CATMLCommonFun fun;
        EXPECT_EQ(fun.CreateDirectoryTree(path.c_str()), 1) << path;
        EXPECT_TRUE(IsFolder(made)) << path;
        EXPECT_EQ(fun.GetErrorCode(), 1) << path;
    }
    EXPECT_FALSE(FileExists(dir.File("x\\y"))) << "a backslash is no part of a name";
}

TEST(CommonFunFiles, DirectoryTreeBlockedByAFileOrARefusalFailsWithCode60) {
    TempDir dir;
    WriteFile(dir.File("file"), "kept");
    ASSERT_EQ(mkdir(dir.File("ro").c_str(), 0555), 0);
    struct Case { std::string path, failing; DWORD error; };
    std::vector<Case> cases = {
        {dir.File("file"), dir.File("file"), ERROR_ALREADY_EXISTS},
        {dir.File("file/under"), dir.File("file"), ERROR_ALREADY_EXISTS},
    };
    if (geteuid() != 0) cases.push_back({dir.File("ro/a/b"), dir.File("ro/a"), ERROR_ACCESS_DENIED});
    for (const Case& c : cases) {
        CATMLCommonFun fun;
        EXPECT_EQ(fun.CreateDirectoryTree(c.path.c_str()), -1) << c.path;
        EXPECT_EQ(fun.GetErrorCode(), 60) << c.path;
        EXPECT_EQ(std::string(fun.GetErrorInfo()), Failure(c.failing, c.error)) << c.path;
        EXPECT_EQ(fun.GetErrorTrace(), "");
    }
    EXPECT_EQ(ReadFile(dir.File("file")), "kept");
}

TEST(CommonFunFiles, RemoveFileRemovesFilesOnly) {
    TempDir dir;
    WriteFile(dir.File("f"), "x");
    ASSERT_EQ(mkdir(dir.File("empty").c_str(), 0777), 0);
    CATMLCommonFun fun;
    EXPECT_EQ(fun.RemoveFile(dir.File("f").c_str()), 1);
    EXPECT_FALSE(FileExists(dir.File("f")));
    const std::pair<std::string, DWORD> failing[] = {
        {dir.File("f"), ERROR_FILE_NOT_FOUND},
        {dir.File("gone/f"), ERROR_PATH_NOT_FOUND},
        {dir.File("empty"), ERROR_ACCESS_DENIED},
    };
    for (const auto& [path, error] : failing) {
        EXPECT_EQ(fun.RemoveFile(path.c_str()), -1) << path;
        EXPECT_EQ(fun.GetErrorCode(), 74);
        EXPECT_EQ(std::string(fun.GetErrorInfo()), Failure(path, error));
    }
    EXPECT_TRUE(IsFolder(dir.File("empty")));
}

TEST(CommonFunFiles, TimeTextsShowTheLocalClockInTheirFormats) {
    enum { Y, M, D, h, m, s };
    struct Case { int format; const char* form; std::vector<int> fields; };
    const Case cases[] = {
        {0, R"((\d{2})/(\d{2})/(\d{4}))", {M, D, Y}},
        {1, R"((\d{2}):(\d{2}):(\d{2}))", {h, m, s}},
        {2, R"((\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2}))", {Y, M, D, h, m, s}},
        {7, R"((\d{4})(\d{2})(\d{2}) (\d{2})(\d{2})(\d{2}))", {Y, M, D, h, m, s}},
        {-1, R"((\d{4})(\d{2})(\d{2}) (\d{2})(\d{2})(\d{2}))", {Y, M, D, h, m, s}},
        {99, R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2}))", {Y, M, D, h, m, s}},  // the ISO text
    };
    for (const Case& c : cases) {
        SYSTEMTIME before, after;
        std::string text;
        do {  // read again when the clock turned a second during the call
            GetLocalTime(&before);
            text = (c.format == 99 ? CATMLCommonFun::GetCurrentTimeISO() : CATMLCommonFun::GetCurrentTimeString(c.format))
                       .GetString();
            GetLocalTime(&after);
        } while (before.wSecond != after.wSecond);
        const int clock[] = {before.wYear, before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond};
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(text, parts, std::regex(c.form))) << c.format << ": " << text;
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(std::stoi(parts[i + 1]), clock[c.fields[i]]) << c.format << ": " << text;
    }
}

TEST(CommonFunFiles, NameCheckCountsBytesAsTheDoubleByteCodePageDoes) {
    std::string han25;
    for (int i = 0; i < 25; ++i) han25 += "名";
    const std::string chars = "名称中不能实现下述字符：‘\\’、‘/’、‘:’、‘*’、‘?’、‘<’、‘>’、‘|’、‘,’、‘;’。";
    const std::string length = "请确保名称不大于 50 个字符！";
    struct Case { std::string name; int result; std::string message; };
    std::vector<Case> cases = {
        {"", 0, "名称为空！"},
        {std::string(50, 'a'), 1, ""},
        {std::string(51, 'a'), 0, length},
        {han25, 1, ""},                           // 50
        {han25.substr(3) + "a", 1, ""},           // 49
        {han25 + "a", 0, length},                 // 51
        {"测试名称（一）", 1, ""},
    };
    for (char refused : std::string("\\/:*?<>|,;")) cases.push_back({std::string("a") + refused + "名", 0, chars});
    for (const Case& c : cases) {
        CString message = "left over";
        EXPECT_EQ(CATMLCommonFun::CheckName(c.name.c_str(), message), c.result) << c.name;
        EXPECT_EQ(std::string(message), c.message) << c.name;
    }
}

TEST(CommonFunFiles, RegisterComponentRunsTheEntryPointAndUnloads) {
    TempDir dir;
    WriteFile(dir.File("text.so"), "not a library");
    struct Case { std::string path; BOOL registering; int result; long code; DWORD error; const char* entered; };
    const Case cases[] = {
        {RURI_COMPONENT_OK, 1, 1, 1, 0, "DllRegisterServer"},
        {RURI_COMPONENT_OK, 0, 1, 1, 0, "DllUnregisterServer"},
        {RURI_COMPONENT_OK, 2, 1, 1, 0, "DllUnregisterServer"},
        {RURI_COMPONENT_FAILING, 1, -1, 43, 0, "DllRegisterServer"},
        {RURI_COMPONENT_BARE, 1, -1, 42, ERROR_PROC_NOT_FOUND, ""},
        {dir.File("missing.so"), 1, -1, 40, ERROR_MOD_NOT_FOUND, ""},
        {dir.File("text.so"), 1, -1, 40, ERROR_BAD_EXE_FORMAT, ""},
        {"", 1, -1, 53, 0, ""},
    };
    for (const Case& c : cases) {
        setenv("RURI_COMPONENT_ENTERED", "", 1);
        CATMLCommonFun fun;
        EXPECT_EQ(fun.RegisterComponent(c.path.c_str(), c.registering), c.result) << c.path;
        EXPECT_EQ(fun.GetErrorCode(), c.code) << c.path;
        EXPECT_STREQ(getenv("RURI_COMPONENT_ENTERED"), c.entered) << c.path;
        if (c.code == 53) {
            EXPECT_EQ(fun.GetErrorInfo(), "空");
            continue;
        }
        // A failing entry point reports the system's last error, whatever it is.
        const DWORD error = c.code == 43 ? GetLastError() : c.error;
        if (c.code != 1) {
            EXPECT_EQ(std::string(fun.GetErrorInfo()), Failure(c.path, error));
        }
        EXPECT_EQ(dlopen(c.path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << c.path << " stays loaded";
    }
}
