#include <gtest/gtest.h>

#include "FigureOps.h"
#include "analysis/NumberLine.h"
#include "core/Error.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

// A scale value table as the aggregation lays it out: N + 3 columns, 3M + 1 rows, the image
// word in column 0 of each image's first row, standardised scores in its third row.
TextGrid scaleValueTable(const std::vector<std::string>& words,
                         const std::vector<std::vector<std::string>>& z) {
    const int panels = static_cast<int>(z.front().size());
    const int images = static_cast<int>(words.size());
    TextGrid table(panels + 3, 3 * images + 1);
    table.fixedColumns = 2;
    for (int p = 1; p <= panels; ++p)
        table.setCell(p + 1, 0, std::to_string(p));
    table.setCell(panels + 2, 0, "平均");
    for (int i = 1; i <= images; ++i) {
        table.setCell(0, 3 * i - 2, words[i - 1]);
        table.setCell(1, 3 * i - 2, "100点換算得点");
        table.setCell(1, 3 * i - 1, "標準偏差");
        table.setCell(1, 3 * i, "標準偏差基準化得点");
        for (int p = 1; p <= panels; ++p) {
            table.setCell(p + 1, 3 * i - 2, "50.000");
            table.setCell(p + 1, 3 * i - 1, "10.000");
            table.setCell(p + 1, 3 * i, z[i - 1][p - 1]);
        }
    }
    return table;
}

Picture draw(const TextGrid& table, const std::string& caption = "A:\\male\\s\\f.dat") {
    Picture picture;
    EXPECT_TRUE(drawNumberLine(table, caption, picture));
    return picture;
}

// The tick labels of a one-image graph: Arial texts at Y + 5 = 905.
std::vector<std::string> tickLabels(const Picture& picture) {
    return textsAtY(picture, 905);
}

// The number drawn above the line for a panel (tick labels share the texts).
const TextOp* panelLabel(const Picture& picture, int panel) {
    for (const DrawOp& op : picture.operations()) {
        const TextOp* text = std::get_if<TextOp>(&op.shape);
        if (text && text->text == std::to_string(panel) && text->topLeft.y < 900)
            return text;
    }
    return nullptr;
}

}  // namespace

TEST(NumberLineAxis, ScoresInsideThreeGiveSixDivisions) {
    const Picture picture = draw(scaleValueTable({"明るい"}, {{"1.061", "0.000", "-1.061"}}));
    EXPECT_EQ(tickLabels(picture), (std::vector<std::string>{"-3", "-2", "-1", "0", "1", "2", "3"}));
    const TextOp* first = findText(picture, "-3");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->topLeft, (Point{40, 905}));
    const TextOp* last = findText(picture, "3");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->topLeft, (Point{940, 905}));
}

TEST(NumberLineAxis, ExactlyThreeWidensToFive) {
    const Picture picture = draw(scaleValueTable({"w"}, {{"3.000", "0.000", "-1.000"}}));
    EXPECT_EQ(tickLabels(picture),
              (std::vector<std::string>{"-5", "-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5"}));
}

TEST(NumberLineAxis, ReachingFiveGivesTenWithEvenLabels) {
    const Picture picture = draw(scaleValueTable({"w"}, {{"5.000", "-5.000", "0.500"}}));
    EXPECT_EQ(tickLabels(picture),
              (std::vector<std::string>{"-10", "-8", "-6", "-4", "-2", "0", "2", "4", "6", "8", "10"}));
}

TEST(NumberLineAxis, DataRangeBeyondTenIsKeptUnrounded) {
    const NumberLineAxis axis = chooseNumberLineAxis(-12.5, 7.2);
    EXPECT_DOUBLE_EQ(axis.lo, -12.5);
    EXPECT_DOUBLE_EQ(axis.hi, 7.2);
    EXPECT_EQ(axis.divisions, 10);
    const Picture picture = draw(scaleValueTable({"w"}, {{"-12.500", "7.200", "0.000"}}));
    // round(−12.5 + 1.97 c) with halves to even: −12.5 becomes −12.
    EXPECT_EQ(tickLabels(picture),
              (std::vector<std::string>{"-12", "-11", "-9", "-7", "-5", "-3", "-1", "1", "3", "5", "7"}));
}

TEST(NumberLineAxis, WidthRoundingToSixGivesSixDivisions) {
    EXPECT_EQ(chooseNumberLineAxis(-12.0, -5.6).divisions, 6);   // 6.4 rounds to 6
    EXPECT_EQ(chooseNumberLineAxis(-12.0, -5.5).divisions, 6);   // 6.5 rounds to even 6
    EXPECT_EQ(chooseNumberLineAxis(-12.0, -5.4).divisions, 10);  // 6.6 rounds to 7
}

TEST(NumberLineGraph, SingleSubjectPutsEveryPanelAtZero) {
    const Picture picture = draw(scaleValueTable({"w"}, {{"-", "-", "-"}}));
    EXPECT_EQ(tickLabels(picture).front(), "-3");
    for (const PolygonOp& diamond : shapesOf<PolygonOp>(picture)) {
        EXPECT_EQ(diamond.points.front(), (Point{500, 892}));
    }
    EXPECT_EQ(shapesOf<PolygonOp>(picture).size(), 3u);
}

TEST(NumberLineGraph, DiamondsCarryPanelColoursAndLabelsAlternate) {
    // Panel 3 highest, then 1, then 2.
    const Picture picture = draw(scaleValueTable({"w"}, {{"1.500", "-1.500", "2.400"}}));
    std::vector<const DrawOp*> diamonds =
        opsOf(picture, [](const DrawOp& op) { return std::holds_alternative<PolygonOp>(op.shape); });
    ASSERT_EQ(diamonds.size(), 3u);
    EXPECT_EQ(diamonds[0]->state.brush.color, (Color{0, 255, 0}));  // panel 3: lime
    EXPECT_EQ(diamonds[1]->state.brush.color, (Color{255, 0, 0}));  // panel 1: red
    EXPECT_EQ(diamonds[2]->state.brush.color, (Color{255, 255, 0}));
    EXPECT_EQ(diamonds[0]->state.pen, (Pen{kBlack, 1}));
    // x = round((2.4 + 3) / 6 × 900 + 50) = 860
    EXPECT_EQ(std::get<PolygonOp>(diamonds[0]->shape).points,
              (std::vector<Point>{{860, 892}, {868, 900}, {860, 908}, {852, 900}, {860, 892}}));
    const TextOp* rank1 = panelLabel(picture, 3);
    ASSERT_NE(rank1, nullptr);
    EXPECT_EQ(rank1->topLeft, (Point{850, 830}));  // odd rank: Y − 70
    const TextOp* rank2 = panelLabel(picture, 1);
    ASSERT_NE(rank2, nullptr);
    EXPECT_EQ(rank2->topLeft, (Point{715, 850}));  // even rank: Y − 50
    const std::vector<LineOp> lines = shapesOf<LineOp>(picture);
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const LineOp& l) {
                               return l.from == Point{860, 850} && l.to == Point{860, 900};
                           }),
              lines.end());
    // The fill goes back to white after each diamond: the next label is drawn with it.
    EXPECT_EQ(opsOf(picture, [](const DrawOp& op) { return std::holds_alternative<TextOp>(op.shape); })
                  .back()
                  ->state.brush.color,
              kWhite);
}

TEST(NumberLineGraph, EqualScoresKeepPanelOrder) {
    EXPECT_EQ(rankPanelsDescending({0.5, 1.0, 0.5, 1.0}), (std::vector<int>{2, 4, 1, 3}));
    const Picture picture = draw(scaleValueTable({"w"}, {{"0.000", "0.000", "-1.000"}}));
    const TextOp* panel1 = panelLabel(picture, 1);
    const TextOp* panel2 = panelLabel(picture, 2);
    ASSERT_NE(panel1, nullptr);
    ASSERT_NE(panel2, nullptr);
    EXPECT_EQ(panel1->topLeft.y, 830);  // rank 1
    EXPECT_EQ(panel2->topLeft.y, 850);  // rank 2
}

TEST(NumberLineGraph, OneImageLiesAt900AndTwentyFiveAre36Apart) {
    const Picture one = draw(scaleValueTable({"w"}, {{"0.1", "0.2", "0.3"}}));
    const std::vector<LineOp> lines = shapesOf<LineOp>(one);
    EXPECT_EQ(lines.front().from, (Point{50, 900}));
    EXPECT_EQ(lines.front().to, (Point{950, 900}));

    std::vector<std::string> words;
    std::vector<std::vector<std::string>> scores;
    for (int i = 0; i < 25; ++i) {
        words.push_back(std::string("w").append(std::to_string(i)));
        scores.push_back({"0.1", "0.2"});
    }
    const Picture many = draw(scaleValueTable(words, scores));
    std::vector<int> axes;
    for (const LineOp& line : shapesOf<LineOp>(many)) {
        if (line.from.x == 50 && line.to.x == 950)
            axes.push_back(line.from.y);
    }
    ASSERT_EQ(axes.size(), 25u);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(axes[i], 36 * (i + 1));
}

TEST(NumberLineGraph, WordsEndUnderTheLineAndTheCaptionSitsBelow) {
    const Picture picture =
        draw(scaleValueTable({"明るい", "ab"}, {{"0.1", "0.2"}, {"0.1", "0.2"}}), "A:\\mix\\s\\f.dat");
    const TextOp* word = findText(picture, "明るい");
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(word->topLeft, (Point{980 - 21 * 3, 450 + 21 + 10}));
    const TextOp* ascii = findText(picture, "ab");
    ASSERT_NE(ascii, nullptr);
    EXPECT_EQ(ascii->topLeft, (Point{980 - 21, 900 + 31}));
    const DrawOp& caption = picture.operations().back();
    EXPECT_EQ(std::get<TextOp>(caption.shape).topLeft, (Point{50, 969}));
    EXPECT_EQ(std::get<TextOp>(caption.shape).text, "A:\\mix\\s\\f.dat");
    EXPECT_EQ(caption.state.font.face, "ＭＳ ゴシック");
    EXPECT_EQ(caption.state.font.pointSize, 16);
    EXPECT_TRUE(caption.state.opaqueText);
}

TEST(NumberLineGraph, LabelsUseBoldItalicArialAndTicksAWidePen) {
    const Picture picture = draw(scaleValueTable({"w"}, {{"0.1", "0.2"}}));
    const std::vector<const DrawOp*> ticks = opsOf(picture, [](const DrawOp& op) {
        const LineOp* line = std::get_if<LineOp>(&op.shape);
        return line && line->from.y == 890 && line->to.y == 900;
    });
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_EQ(ticks.front()->state.pen.width, 5);
    EXPECT_EQ(std::get<LineOp>(ticks[1]->shape).from.x, 200);
    const std::vector<const DrawOp*> labels = opsOf(picture, [](const DrawOp& op) {
        const TextOp* text = std::get_if<TextOp>(&op.shape);
        return text && text->topLeft.y == 905;
    });
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front()->state.font, (Font{"Arial", 16, true, true}));
}

TEST(NumberLineGraph, NothingAggregatedDrawsNothing) {
    TextGrid table = scaleValueTable({"w"}, {{"0.1", "0.2"}});
    table.setCell(2, 3, "");
    Picture picture;
    EXPECT_FALSE(drawNumberLine(table, "x", picture));
    EXPECT_TRUE(picture.empty());
}

TEST(NumberLineGraph, EqualValuesOutsideTenAreRefused) {
    Picture picture;
    try {
        drawNumberLine(scaleValueTable({"w"}, {{"12.000", "12.000"}}), "x", picture);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), kNumberLineNoWidth);
    }
    EXPECT_TRUE(picture.empty());
}

TEST(NumberLineValuesTable, TooManyPanelsAndBadCellsAreErrors) {
    const std::vector<std::string> eleven(11, "0.1");
    EXPECT_THROW(readNumberLineValues(scaleValueTable({"w"}, {eleven})), UserError);
    try {
        readNumberLineValues(scaleValueTable({"w"}, {{"0.1", "abc"}}));
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "'abc' は浮動小数点数ではありません");
    }
    const std::optional<NumberLineValues> values =
        readNumberLineValues(scaleValueTable({"w", "v"}, {{"0.1", "-"}, {"-2.5", "1"}}));
    ASSERT_TRUE(values);
    EXPECT_EQ(values->words, (std::vector<std::string>{"w", "v"}));
    EXPECT_EQ(values->scores, (std::vector<std::vector<double>>{{0.1, 0.0}, {-2.5, 1.0}}));
}
