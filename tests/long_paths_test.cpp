// Paths near the database engine's limit on a path's length: a copy onto a
// path writes its scratch file beside it, under a name that may be longer
// than the project's own, so where the engine could not open that, New,
// Open and Save onto the path all refuse, with words that say why.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/TestStore.h"
#include "support/SystemTexts.h"

namespace {
// A path of exactly length characters in dir, ending in "/p.tarnprj", its
// folders made: each adds "/" and up to 200 characters, never leaving 1.
std::string PathOfLength(const TempDir& dir, size_t length) {
    std::string folder = dir.Path();
    for (size_t room; (room = length - folder.size() - 10) > 0;) {
        const size_t part = std::min<size_t>(200, room - 1) - (room == 202 ? 1 : 0);
        folder += "/" + std::string(part, 'd');
        mkdir(folder.c_str(), 0700);
    }
    return folder + "/p.tarnprj";
}
}  // namespace

TEST(LongPaths, NewOpenAndSaveOntoAPathWorkOrRefuseAlike) {
    const std::string tooLong = SystemText(206);
    for (const size_t length : {300, 476, 477, 490, 504, 505}) {
        SCOPED_TRACE(std::to_string(length) + " characters");
        const bool works = length <= 476;
        TempDir dir;
        const std::string path = PathOfLength(dir, length);
        ASSERT_EQ(path.size(), length);
        TestStore store(dir);
        EXPECT_EQ(store.New(path.c_str(), 1), works ? 1 : -1);
        const std::string madeText = store.GetErrorInfo().GetString();
        // A project made without the library, for Open to take or refuse.
        const std::string empty = ReadFile(store.m_strTemplatePath.GetString());
        if (!works) WriteFile(path, empty);
        EXPECT_EQ(store.Open(path.c_str()), works ? 1 : -1);
        const std::string openedText = store.GetErrorInfo().GetString();
        ASSERT_EQ(store.New("", 1), 1);
        ASSERT_EQ(AddTps(store, "saved"), 1);
        store.SetFilePath(path.c_str());
        EXPECT_EQ(store.Save(), works ? 1 : -1);
        const std::string savedText = store.GetErrorInfo().GetString();
        store.Close();
        if (works) {
            EXPECT_EQ(TpsKeys(path), "saved");
            continue;
        }
        EXPECT_EQ(madeText, tooLong + store.m_strTemplatePath.GetString());
        EXPECT_NE(openedText.find("The path is too long for the database engine"), std::string::npos) << openedText;
        EXPECT_EQ(savedText, tooLong);
        EXPECT_TRUE(ReadFile(path) == empty) << "the project made without the library is left as it was";
    }
}
