// The one test of a typed name before it becomes a file or directory name on the study disk.
#include <gtest/gtest.h>

#include "core/DiskNames.h"
#include "core/Error.h"

using namespace kestrune;

TEST(DiskNames, NamesThatStayInTheirDirectoryAreAccepted) {
    for (const char* name : {"ALL", "色彩 2", "a.b", "..a", "a..", "ﾃｽﾄ", "名前-1_(2)", " lead"})
        EXPECT_EQ(diskNameProblem(name), DiskNameProblem::None) << name;
    EXPECT_TRUE(isPlainDiskName(std::string(251, 'x')));
    std::string wide;
    for (int i = 0; i < 83; ++i)
        wide += "色";  // 249 bytes in UTF-8
    EXPECT_TRUE(isPlainDiskName(wide));
}

TEST(DiskNames, NamesThatWouldLeaveTheDirectoryOrCannotBeFileNamesAreRefused) {
    EXPECT_EQ(diskNameProblem(""), DiskNameProblem::Empty);
    EXPECT_EQ(diskNameProblem("."), DiskNameProblem::DotName);
    EXPECT_EQ(diskNameProblem(".."), DiskNameProblem::DotName);
    for (const char* name : {"/abs/NAME", "../../NAME", "a/b", "a\\b", "..\\x", "/"})
        EXPECT_EQ(diskNameProblem(name), DiskNameProblem::Separator) << name;
    for (const std::string& name : {std::string("a\nb"), std::string("a\tb"), std::string("a\x7f"),
                                    std::string("a\0b", 3), std::string("a\u0085b")}) {
        EXPECT_EQ(diskNameProblem(name), DiskNameProblem::ControlCharacter);
    }
    EXPECT_EQ(diskNameProblem("a\xff"), DiskNameProblem::NotText);
    EXPECT_EQ(diskNameProblem("\xe8\x89"), DiskNameProblem::NotText);      // cut short
    EXPECT_EQ(diskNameProblem("\xc0\xaf"), DiskNameProblem::NotText);      // overlong "/"
    EXPECT_EQ(diskNameProblem("\xed\xa0\x80"), DiskNameProblem::NotText);  // a surrogate
    // 251 bytes and the 4-byte extension fill the file system's 255; one more is too long.
    EXPECT_EQ(diskNameProblem(std::string(252, 'x')), DiskNameProblem::TooLong);
    std::string wide;
    for (int i = 0; i < 84; ++i)
        wide += "色";  // 3 bytes each in UTF-8: 252 bytes
    EXPECT_EQ(diskNameProblem(wide), DiskNameProblem::TooLong);
}

TEST(DiskNames, TheRefusalNamesTheNameInJapanese) {
    try {
        requirePlainDiskName("../../NAME");
        FAIL();
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "'../../NAME' はファイル名に使えません。\"/\" と \"\\\" は使えません。");
    }
    EXPECT_EQ(diskNameMessage("", DiskNameProblem::Empty), "ファイル名を入力してください!!");
    // Control characters are not echoed into a message box.
    EXPECT_EQ(diskNameMessage("a\nb", DiskNameProblem::ControlCharacter).find('\n'), std::string::npos);
}
