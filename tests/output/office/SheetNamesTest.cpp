// Sheet names the workbook format would refuse, made valid the stated way.
#include <gtest/gtest.h>

#include "output/office/SheetNames.h"

using kestrune::office::validSheetName;

namespace {

TEST(SheetNames, ForbiddenCharactersAndEndApostrophesBecomeUnderscores) {
    EXPECT_EQ(validSheetName("a[b]c:d*e?f/g\\h", {}), "a_b_c_d_e_f_g_h");
    EXPECT_EQ(validSheetName("'明るい'", {}), "_明るい_");
    EXPECT_EQ(validSheetName("it's", {}), "it's");
    EXPECT_EQ(validSheetName("", {}), "Sheet");
}

TEST(SheetNames, LongNamesAreCutAtThirtyOneCharacters) {
    // 32 characters: the last one goes.
    EXPECT_EQ(validSheetName("明るい暖かい派手な柔らかい重い落ち着いた高級な好きな嫌いな軽いか", {}),
              "明るい暖かい派手な柔らかい重い落ち着いた高級な好きな嫌いな軽い");
    EXPECT_EQ(validSheetName(std::string(40, 'x'), {}), std::string(31, 'x'));
    // An apostrophe that the cut leaves at the end is replaced too.
    EXPECT_EQ(validSheetName(std::string(30, 'x') + "'y", {}), std::string(30, 'x') + "_");
}

TEST(SheetNames, RepeatedNamesAreNumberedWithinTheLength) {
    EXPECT_EQ(validSheetName("明るい", {"明るい"}), "明るい (2)");
    EXPECT_EQ(validSheetName("明るい", {"明るい", "明るい (2)"}), "明るい (3)");
    EXPECT_EQ(validSheetName("Sheet1", {"SHEET1"}), "Sheet1 (2)");
    EXPECT_EQ(validSheetName(std::string(31, 'x'), {std::string(31, 'x')}), std::string(27, 'x') + " (2)");
}

}  // namespace
