// CP932 at the file boundary, line splitting, fields and numbers.
#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextLines.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using kestrune::testing::textEndsWith;
using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

TEST(Cp932, ExtensionCharactersRoundTripWithWindowsBytes) {
    // ① is an NEC extension, 髙 an IBM extension, ～ the full-width tilde Windows maps to 0x8160.
    EXPECT_EQ(encodeCp932("①"), "\x87\x40");
    EXPECT_EQ(encodeCp932("髙"), "\xFB\xFC");
    EXPECT_EQ(encodeCp932("～"), "\x81\x60");
    for (const std::string text : {"①②", "髙橋", "～", "ｶﾀｶﾅ", "明度,cd/m2", "\"語\"", ""}) {
        EXPECT_EQ(decodeCp932(encodeCp932(text), "x"), text);
    }
}

TEST(Cp932, InvalidBytesNameTheFile) {
    try {
        decodeCp932("ab\x81", "a.dat");  // a lead byte with nothing after it
        FAIL() << "a truncated lead byte must not decode";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("a.dat"), std::string::npos);
    }
    EXPECT_THROW(decodeCp932("\x80\xA0", "b.dat"), UserError);
}

TEST(Cp932, TextThatCannotBeEncodedIsRefusedBeforeTheFileIsTouched) {
    TempDisk disk;
    disk.writeLines("old.txt", {"old content"});
    const std::string before = readBytes(disk.path("old.txt"));
    EXPECT_THROW(writeTextLines(disk.path("old.txt"), {"fine", "emoji 😀"}), UserError);
    EXPECT_EQ(readBytes(disk.path("old.txt")), before);
}

TEST(Cp932, ByteLengthCountsFullWidthTwice) {
    EXPECT_EQ(cp932Length("abc"), 3u);
    EXPECT_EQ(cp932Length("明るい"), 6u);
    EXPECT_EQ(cp932Length("ｱｲ"), 2u);
    EXPECT_EQ(cp932Length("A明"), 3u);
    EXPECT_EQ(cp932Length("①～"), 4u);
}

TEST(Lines, EveryLineEndIsAccepted) {
    EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(splitLines("\n"), (std::vector<std::string>{""}));
}

TEST(Lines, WritersEndTheLastLineToo) {
    EXPECT_EQ(joinLinesCrlf({"4,6", "1,2"}), "4,6\r\n1,2\r\n");
    TempDisk disk;
    writeTextLines(disk.path("x.txt"), {"髙", "2"});
    EXPECT_EQ(readBytes(disk.path("x.txt")), "\xFB\xFC\r\n2\r\n");
    EXPECT_EQ(readTextLines(disk.path("x.txt")), (std::vector<std::string>{"髙", "2"}));
}

TEST(Lines, FieldsSplitAtTheFirstComma) {
    EXPECT_EQ(splitAtFirstComma("4,6").before, "4");
    EXPECT_EQ(splitAtFirstComma("4,6").after, "6");
    EXPECT_EQ(splitAtFirstComma("1,2,3").after, "2,3");
    EXPECT_EQ(splitAtFirstComma("12").before, "");
    EXPECT_EQ(splitAtFirstComma("12").after, "12");
    EXPECT_EQ(splitAtFirstComma(",x").before, "");
}

TEST(Lines, WordsLoseTheirFirstAndLastCharacter) {
    EXPECT_EQ(stripFirstAndLast("\"明るい\""), "明るい");
    EXPECT_EQ(stripFirstAndLast("\"\""), "");
    EXPECT_EQ(stripFirstAndLast("abc"), "b");
    EXPECT_EQ(stripFirstAndLast("\"a\"b\""), "a\"b");
    EXPECT_EQ(stripFirstAndLast("x"), "");
    EXPECT_EQ(stripFirstAndLast(""), "");
}

TEST(Lines, MissingAndEmptyFilesGiveTheirMessages) {
    TempDisk disk;
    try {
        readTextLines(disk.path("none.ord"));
        FAIL();
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + disk.path("none.ord").string() + " は開けません");
    }
    disk.writeBytes("empty.dat", "");
    try {
        readFirstLine(disk.path("empty.dat"));
        FAIL();
    } catch (const UserError& error) {
        EXPECT_PRED2(textEndsWith, error.what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    }
    EXPECT_THROW(lineAt({"a"}, 2), UserError);
}

TEST(Lines, FirstLineStopsAtAnyLineEnd) {
    TempDisk disk;
    disk.writeBytes("a.dat", "20,45,25\r0\n1\r\n");
    EXPECT_EQ(readFirstLine(disk.path("a.dat")), "20,45,25");
    disk.writeBytes("b.dat", "\r\n3\r\n");
    EXPECT_EQ(readFirstLine(disk.path("b.dat")), "");
    disk.writeBytes("c.dat", "no line end");
    EXPECT_EQ(readFirstLine(disk.path("c.dat")), "no line end");
}

TEST(Numbers, IntegersAsTheRuntimeReadsThem) {
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("-1"), -1);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger(" 12"), 12);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "1.0", "12 ", "x", "2147483648", "1,2", "99999999999999999999"}) {
        try {
            parseInteger(bad);
            ADD_FAILURE() << bad;
        } catch (const UserError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("'") + bad + "' は整数ではありません");
        }
    }
}

TEST(Numbers, RealsOfThePhysicalQuantities) {
    EXPECT_EQ(parseReal("12.5"), 12.5);
    EXPECT_EQ(parseReal("-0.31"), -0.31);
    EXPECT_EQ(parseReal("3e-2"), 0.03);
    EXPECT_EQ(parseReal("+4."), 4.0);
    EXPECT_EQ(parseReal(".5"), 0.5);
    EXPECT_EQ(parseReal("  1E3"), 1000.0);
    for (const char* bad : {"", " ", ".", "1e", "1.2.3", "12 ", "abc", "1,5", "e5", "--1"}) {
        EXPECT_FALSE(parseReal(bad).has_value()) << bad;
    }
}
