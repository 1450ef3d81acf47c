#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <ctime>
#include <regex>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Time.h"
#include "support/TestFiles.h"
#include "support/SystemTexts.h"

namespace {
std::string Failure(const std::string& subject, DWORD error) {
    return subject + "，“" + SystemText(error) + "”。";
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

TEST(CommonFunFiles, PathPartsCutAtTheLastOfEitherSeparator) {
    const std::pair<const char*, const char*> cases[] = {  // path, "folder|name|title|title with extension|extension"
        {"D:\\a\\b.txt", "D:\\a|b.txt|b|b.txt|txt"},   {"/a/b.txt", "/a|b.txt|b|b.txt|txt"},
        {"/a\\b/c.tar.gz", "/a\\b|c.tar.gz|c.tar|c.tar.gz|gz"}, {"b.txt", "|b.txt|b|b.txt|txt"},
        {"D:\\a\\b", "D:\\a|b|b|b|"}, {"/a.d/b", "/a.d|b|b|b|"}, {"/a/b/", "/a/b||||"}, {"a\\", "a||||"}, {"", "||||"},
    };
    for (const auto& [path, parts] : cases) {
        CString dir, name, title, withExt, ext;
        CATMLCommonFun::GetFileDir(path, dir);
        CATMLCommonFun::GetFileName(path, name);
        CATMLCommonFun::GetFileTitle(path, title, false);
        CATMLCommonFun::GetFileTitle(path, withExt, true);
        CATMLCommonFun::GetFileExt(path, ext);
        EXPECT_EQ(std::string(dir + "|" + name + "|" + title + "|" + withExt + "|" + ext), parts) << path;
    }
}

TEST(CommonFunFiles, DirectoryTreesMadeFromEitherSeparatorOrBlockedWithCode60) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.File("some").c_str(), 0777), 0);
    ASSERT_EQ(mkdir(dir.File("ro").c_str(), 0555), 0);
    WriteFile(dir.File("file"), "kept");
    struct Case { std::string path, folder; DWORD error; };  // folder: the deepest made, or the failing one
    const Case cases[] = {
        {dir.Path(), dir.Path(), 0}, {dir.File("some/a/b"), dir.File("some/a/b"), 0},
        {dir.File("x\\y\\"), dir.File("x/y"), 0}, {dir.File("p/q/"), dir.File("p/q"), 0},
        {dir.File("file"), dir.File("file"), ERROR_ALREADY_EXISTS},
        {dir.File("file/under"), dir.File("file"), ERROR_ALREADY_EXISTS},
    };
    const auto check = [](const Case& c) {
        CATMLCommonFun fun;
        EXPECT_EQ(fun.CreateDirectoryTree(c.path.c_str()), c.error ? -1 : 1) << c.path;
        EXPECT_EQ(fun.GetErrorCode(), c.error ? 60 : 1) << c.path;
        EXPECT_TRUE(c.error ? std::string(fun.GetErrorInfo()) == Failure(c.folder, c.error) : IsFolder(c.folder))
            << c.path << ": " << fun.GetErrorInfo();
        EXPECT_EQ(fun.GetErrorTrace(), "");
    };
    for (const Case& c : cases) check(c);
    AsUnprivilegedUser(dir, [&] { check({dir.File("ro/a/b"), dir.File("ro/a"), ERROR_ACCESS_DENIED}); });
    EXPECT_FALSE(FileExists(dir.File("x\\y"))) << "a backslash is no part of a name";
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
        {dir.File("f"), ERROR_FILE_NOT_FOUND}, {dir.File("gone/f"), ERROR_PATH_NOT_FOUND},
        {dir.File("empty"), ERROR_ACCESS_DENIED}};
    for (const auto& [path, error] : failing) {
        EXPECT_EQ(fun.RemoveFile(path.c_str()), -1) << path;
        EXPECT_EQ(fun.GetErrorCode(), 74);
        EXPECT_EQ(std::string(fun.GetErrorInfo()), Failure(path, error));
    }
    EXPECT_TRUE(IsFolder(dir.File("empty")));
}

TEST(CommonFunFiles, TimeTextsShowTheLocalClockInTheirFormats) {
    const char* date = R"((\d{4})-(\d{2})-(\d{2}))";
    const std::tuple<int, std::string, std::string> cases[] = {  // format (99: ISO), form, fields in order
        {0, R"((\d{2})/(\d{2})/(\d{4}))", "MDY"}, {1, R"((\d{2}):(\d{2}):(\d{2}))", "hms"},
        {2, date + std::string(R"( (\d{2}):(\d{2}):(\d{2}))"), "YMDhms"},
        {7, R"((\d{4})(\d{2})(\d{2}) (\d{2})(\d{2})(\d{2}))", "YMDhms"},
        {-1, R"((\d{4})(\d{2})(\d{2}) (\d{2})(\d{2})(\d{2}))", "YMDhms"},
        {99, date + std::string(R"(T(\d{2}):(\d{2}):(\d{2}))"), "YMDhms"},
    };
    for (const auto& [format, form, fields] : cases) {
        SYSTEMTIME before, after;
        std::string text;
        do {  // again when the clock turned a second during the call
            GetLocalTime(&before);
            text = format == 99 ? CATMLCommonFun::GetCurrentTimeISO() : CATMLCommonFun::GetCurrentTimeString(format);
            GetLocalTime(&after);
        } while (before.wSecond != after.wSecond);
        const int clock[] = {before.wYear, before.wMonth, before.wDay, before.wHour, before.wMinute, before.wSecond};
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(text, parts, std::regex(form))) << format << ": " << text;
        for (size_t i = 0; i < fields.size(); ++i)
            EXPECT_EQ(std::stoi(parts[i + 1]), clock[std::string("YMDhms").find(fields[i])]) << format << ": " << text;
    }
}

// A host started anew under a time zone five and a half hours east of UTC
// (whatever the machine's) reads its clocks in that zone: each clock shows
// the UTC time of a second between the host's start and end, plus 5:30.
TEST(CommonFunFiles, TheClocksShowTheTimeOfTheZoneTheHostRunsIn) {
    const long kEastOfUtc = 5 * 3600 + 30 * 60;
    const double kUnixEpochDay = 25569.0;  // 1970-01-01 counted from 1899-12-30
    TempDir dir;
    const std::string out = dir.File("clocks.out");
    const std::time_t first = std::time(nullptr);
    ASSERT_EQ(std::system(("TZ=XYZ-5:30 '" RURI_PROJECT_CHILD "' --clocks > '" + out + "'").c_str()), 0);
    const std::time_t last = std::time(nullptr);
    std::istringstream lines(ReadFile(out));
    std::string text, iso, days, created;
    ASSERT_TRUE(std::getline(lines, text) && std::getline(lines, iso) && std::getline(lines, days) &&
                std::getline(lines, created));
    std::set<std::string> texts, isos;
    for (std::time_t second = first; second <= last; ++second) {
        const std::time_t there = second + kEastOfUtc;
        std::tm fields{};
        gmtime_r(&there, &fields);
        char buffer[32];
        std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &fields);
        texts.insert(buffer);
        std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &fields);
        isos.insert(buffer);
    }
    EXPECT_TRUE(texts.count(text)) << text << " is not the time there";
    EXPECT_TRUE(isos.count(iso)) << iso << " is not the time there";
    // Whole seconds as days, give or take what a double's rounding makes of them.
    const double from = kUnixEpochDay + static_cast<double>(first + kEastOfUtc) / 86400 - 1e-7,
                 to = kUnixEpochDay + static_cast<double>(last + 1 + kEastOfUtc) / 86400 + 1e-7;
    for (const std::string& day : {days, created}) {
        EXPECT_GE(std::stod(day), from) << day;
        EXPECT_LT(std::stod(day), to) << day;
    }
}

TEST(CommonFunFiles, NameCheckCountsBytesAsTheDoubleByteCodePageDoes) {
    std::string han25;
    for (int i = 0; i < 25; ++i) han25 += "名";
    const std::string chars = "名称中不能实现下述字符：‘\\’、‘/’、‘:’、‘*’、‘?’、‘<’、‘>’、‘|’、‘,’、‘;’。";
    const std::string length = "请确保名称不大于 50 个字符！";
    std::vector<std::pair<std::string, std::string>> cases = {  // name, message ("" passes)
        {"", "名称为空！"}, {std::string(50, 'a'), ""}, {std::string(51, 'a'), length},
        {han25, ""}, {han25.substr(3) + "a", ""}, {han25 + "a", length}, {"测试名称（一）", ""},
    };
    for (char refused : std::string("\\/:*?<>|,;")) cases.push_back({std::string("a") + refused + "名", chars});
    for (const auto& [name, expected] : cases) {
        CString message = "left over";
        EXPECT_EQ(CATMLCommonFun::CheckName(name.c_str(), message), expected.empty() ? 1 : 0) << name;
        EXPECT_EQ(std::string(message), expected) << name;
    }
}

TEST(CommonFunFiles, RegisterComponentRunsTheEntryPointAndUnloads) {
    TempDir dir;
    WriteFile(dir.File("text.so"), "not a library");
    struct Case { std::string path; BOOL registering; long code; DWORD error; const char* entered; };
    const Case cases[] = {
        {RURI_COMPONENT_OK, 1, 1, 0, "DllRegisterServer"}, {RURI_COMPONENT_OK, 0, 1, 0, "DllUnregisterServer"},
        {RURI_COMPONENT_OK, 2, 1, 0, "DllUnregisterServer"}, {RURI_COMPONENT_FAILING, 1, 43, 0, "DllRegisterServer"},
        {RURI_COMPONENT_BARE, 1, 42, ERROR_PROC_NOT_FOUND, ""}, {"", 1, 53, 0, ""},
        {dir.File("missing.so"), 1, 40, ERROR_MOD_NOT_FOUND, ""}, {dir.File("text.so"), 1, 40, ERROR_BAD_EXE_FORMAT, ""},
    };
    for (const Case& c : cases) {
        setenv("RURI_COMPONENT_ENTERED", "", 1);
        CATMLCommonFun fun;
        EXPECT_EQ(fun.RegisterComponent(c.path.c_str(), c.registering), c.code == 1 ? 1 : -1) << c.path;
        EXPECT_EQ(fun.GetErrorCode(), c.code) << c.path;
        EXPECT_STREQ(getenv("RURI_COMPONENT_ENTERED"), c.entered) << c.path;
        if (c.code == 53) {
            EXPECT_EQ(fun.GetErrorInfo(), "空");
            continue;
        }
        // A failing entry point reports the system's last error, whatever it is.
        const DWORD error = c.code == 43 ? GetLastError() : c.error;
        EXPECT_EQ(std::string(fun.GetErrorInfo()), c.code == 1 ? "" : Failure(c.path, error)) << c.path;
        EXPECT_EQ(dlopen(c.path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << c.path << " stays loaded";
    }
}
