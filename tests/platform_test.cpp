#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <new>
#include <utility>

#include "platform/ado/Connection.h"
#include "platform/ado/Variant.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/win32/File.h"
#include "platform/win32/LastError.h"
#include "support/RunsInCi.h"
#include "support/TestFiles.h"

TEST(CStringTest, NullIsEmptyAndPiecesClampToTheText) {
    CString s(static_cast<const char*>(nullptr));
    EXPECT_TRUE(s.IsEmpty());
    CString path = "/a/b/c.dll";
    EXPECT_EQ(path.ReverseFind('/'), 4);
    EXPECT_EQ(path.Left(4), "/a/b");
    EXPECT_EQ(path.Mid(5), "c.dll");
    EXPECT_EQ(path.Mid(3, 100), "b/c.dll");
    EXPECT_EQ(path.Right(3), "dll");
    EXPECT_EQ(path.Left(-1), "");
    EXPECT_EQ(path.Find("/", 2), 2);
    EXPECT_EQ(path.Find('x'), -1);
    EXPECT_EQ(path.GetAt(99), '\0');
    CString padded = " \t x y \r\n";
    EXPECT_EQ(padded.Trim(), "x y");
    CString mixed = "abc中";
    EXPECT_EQ(mixed.MakeUpper(), "ABC中");
    CString formatted;
    formatted.Format("%s=%ld;%d%%", "n", 42L, 7);
    EXPECT_EQ(formatted, "n=42;7%");
    EXPECT_EQ(CString("a") + "b" + CString("c") + 'd', "abcd");
    EXPECT_TRUE("x" == CString("x"));
    EXPECT_TRUE(CString("x") != "y");
}

TEST(CObListTest, WalksInOrderAndNeverOwnsItsElements) {
    struct Counted : CObject {
        explicit Counted(int* alive) : alive(alive) { ++*alive; }
        ~Counted() override { --*alive; }
        int* alive;
    };
    int alive = 0;
    Counted a(&alive), b(&alive), c(&alive);
    CObList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    EXPECT_EQ(list.GetCount(), 3);
    std::vector<CObject*> walked;
    for (POSITION pos = list.GetHeadPosition(); pos;) walked.push_back(list.GetNext(pos));
    EXPECT_EQ(walked, (std::vector<CObject*>{&a, &b, &c}));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(alive, 3);
    // A list longer than a block of nodes, built again after a release.
    for (int round = 0; round < 2; ++round) {
        std::vector<Counted> many(300, Counted(&alive));
        for (Counted& item : many) list.AddTail(&item);
        EXPECT_EQ(list.GetCount(), 300);
        walked.clear();
        for (POSITION pos = list.GetHeadPosition(); pos;) walked.push_back(list.GetNext(pos));
        ASSERT_EQ(walked.size(), 300u);
        for (size_t i = 0; i < many.size(); ++i) EXPECT_EQ(walked[i], &many[i]);
        list.RemoveAll();
        EXPECT_EQ(list.GetHeadPosition(), nullptr);
    }
}

TEST(COleDateTimeTest, CountsDaysFrom1899) {
    COleDateTime zero;
    EXPECT_EQ(zero.m_dt, 0.0);
    EXPECT_EQ(zero.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).m_dt, 0.0);
    EXPECT_EQ(COleDateTime(2000, 1, 1, 0, 0, 0).m_dt, 36526.0);
    EXPECT_EQ(COleDateTime(2026, 12, 7, 12, 0, 0).m_dt, 46363.5);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);  // before the epoch the time counts away from zero
    COleDateTime now = COleDateTime::GetCurrentTime();
    EXPECT_GT(now.m_dt, 46000.0);  // after 2025
    EXPECT_EQ(COleDateTime(2026, 13, 1, 0, 0, 0).GetStatus(), COleDateTime::invalid);
}

TEST(VariantTest, NumbersReadTheSameWhateverTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    // A comma locale, where installed; CI always has it (./build.sh generates it).
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    if (RunsInCi()) {
        EXPECT_TRUE(comma) << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(ado::Variant(1.25).ToText(), "1.25");
    EXPECT_DOUBLE_EQ(ado::Variant("2.5").ToDouble(), 2.5);
    EXPECT_EQ(ado::Variant(" 7 ").ToInt32(), 7);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(ado::Variant().ToText(), "");
    EXPECT_EQ(ado::Variant().ToInt32(), 0);
    EXPECT_THROW(ado::Variant("abc").ToInt32(), ado::ComError);
    EXPECT_THROW(ado::Variant(1e12).ToInt32(), ado::ComError);
}

TEST(ConnectionStringTest, QuotedValuesAreReadWholeAndUnclosedOnesRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"Provider=x;Persist=False", ""},
        {" data source =a ;b=c", "a "},  // an unquoted value ends at the first ";"
        {"Data Source='it''s \"x\";y' ;Persist=False", "it's \"x\";y"},
        {"Provider=\"z;Data Source=wrong\";Flag;Data Source=right", "right"},
        {"Data Source=\"a;b", nullptr},
        {"Data Source=\"a\"b;x=y", nullptr},
    };
    for (const auto& [text, expected] : cases) {
        if (expected) {
            EXPECT_EQ(ado::Connection::ParseDataSource(text), expected) << text;
        } else {
            EXPECT_THROW(ado::Connection::ParseDataSource(text), ado::ComError) << text;
        }
    }
}

TEST(FileCopyTest, ReplacingADatabaseTakesItsJournalsAlong) {
    TempDir dir;
    const std::string source = dir.File("template.db"), target = dir.File("project.db");
    WriteFile(source, "new content");
    WriteFile(target, "old content");
    for (const char* suffix : {"-journal", "-wal", "-shm"}) WriteFile(target + suffix, "stale");
    ASSERT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(ReadFile(target), "new content");
    for (const char* suffix : {"-journal", "-wal", "-shm"}) EXPECT_FALSE(FileExists(target + suffix)) << suffix;
}

TEST(FileCopyTest, FailIfExistsKeepsTheTargetAndReportsEighty) {
    TempDir dir;
    const std::string source = dir.File("a"), target = dir.File("b");
    WriteFile(source, "A");
    WriteFile(target, "B");
    EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadFile(target), "B");
    const std::string fresh = dir.File("c");
    EXPECT_TRUE(CopyFileA(source.c_str(), fresh.c_str(), TRUE));
    EXPECT_EQ(ReadFile(fresh), "A");
}

TEST(FileCopyTest, MissingSourceFolderAndDirectoryGiveTheirNumbers) {
    TempDir dir;
    const std::string source = dir.File("a");
    WriteFile(source, "A");
    EXPECT_FALSE(CopyFileA(dir.File("none").c_str(), dir.File("x").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileA(source.c_str(), dir.File("no/such/x").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CopyFileA(dir.Path().c_str(), dir.File("x").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(FileExists(dir.File("x")));
}

// A copy whose content runs out of memory fails as the system's copy does,
// with error 8, and leaves nothing where it would have put its file.
TEST(FileCopyTest, RunningOutOfMemoryFailsWithEightAndPlacesNothing) {
    TempDir dir;
    const std::string target = dir.File("copy.tarnprj");
    const FileFiller exhausted = [](int, const std::string&) -> bool { throw std::bad_alloc(); };
    EXPECT_EQ(PlaceFileA(target.c_str(), FALSE, exhausted), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "the scratch file or the target stayed";
}
