// Paths near the database engine's limit on a path's length: New, Open and
// Save onto a path all work, or all refuse with words that say why. A copy
// onto a path writes its scratch file beside it, under a name that may be
// longer than the project's own; where the engine could not open that, no
// project is made, opened or saved there.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "support/TestStore.h"

namespace {
// A path of exactly length characters in dir, ending in "/p.tarnprj", its
// folders made.
std::string PathOfLength(const TempDir& dir, size_t length) {
    const std::string name = "/p.tarnprj";
    std::string folder = dir.Path();
    while (folder.size() + name.size() < length) {
        const size_t room = length - folder.size() - name.size();
        // Each folder adds "/" and up to 200 characters, never leaving 1.
        size_t part = std::min<size_t>(200, room - 1);
        if (room - part - 1 == 1) --part;
        folder += "/" + std::string(part, 'd');
        mkdir(folder.c_str(), 0700);
    }
    return folder + name;
}
}  // namespace

TEST(LongPaths, NewOpenAndSaveOntoAPathWorkOrRefuseAlike) {
    const std::string tooLong = CATMLCommonFun::GetOSErrorMessage(206).GetString();
    const struct {
        size_t length;
        bool works;
    } cases[] = {{300, true}, {476, true}, {477, false}, {490, false}, {504, false}, {505, false}};
    for (const auto& length : cases) {
        SCOPED_TRACE(std::to_string(length.length) + " characters");
        TempDir dir;
        const std::string path = PathOfLength(dir, length.length);
        ASSERT_EQ(path.size(), length.length);
        TestStore store(dir);
        const RESULTSTATE made = store.New(path.c_str(), 1);
        const std::string madeText = store.GetErrorInfo().GetString();
        store.Close();
        // A project there, made without the library, for Open to take or refuse.
        const std::string empty = ReadFile(store.m_strTemplatePath.GetString());
        if (made != 1) WriteFile(path, empty);
        const RESULTSTATE opened = store.Open(path.c_str());
        const std::string openedText = store.GetErrorInfo().GetString();
        store.Close();
        ASSERT_EQ(store.New("", 1), 1);
        ASSERT_EQ(AddTps(store, "saved"), 1);
        store.SetFilePath(path.c_str());
        const RESULTSTATE saved = store.Save();
        const std::string savedText = store.GetErrorInfo().GetString();
        store.Close();
        const RESULTSTATE expected = length.works ? 1 : -1;
        EXPECT_EQ(made, expected) << madeText;
        EXPECT_EQ(opened, expected) << openedText;
        EXPECT_EQ(saved, expected) << savedText;
        if (length.works) {
            EXPECT_EQ(TpsKeys(path), "saved");
        } else {
            EXPECT_EQ(madeText, tooLong + store.m_strTemplatePath.GetString());
            EXPECT_NE(openedText.find("The path is too long for the database engine"), std::string::npos)
                << openedText;
            EXPECT_EQ(savedText, tooLong);
            EXPECT_TRUE(ReadFile(path) == empty) << "the project made without the library is left as it was";
        }
    }
}
