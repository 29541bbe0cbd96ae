// Answer sheets: every sheet laid out like the response board, nothing drawn over anything
// else, and the PDF document a vector A4 file with one page per sheet and subject.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QRegularExpression>

#include "analysis/BalancedOrder.h"
#include "core/Error.h"
#include "output/sheets/AnswerSheetLayout.h"
#include "output/sheets/AnswerSheetPrinter.h"
#include "output/sheets/SheetFont.h"
#include "tests/output/FigureGuiApp.h"

using namespace kestrune;

namespace {

TSeries tenPanelSeries() {
    TSeries series;
    series.name = "十種比較";
    series.panelCount = 10;
    series.pairs = balancedOrder(10);
    series.pairCount = static_cast<int>(series.pairs.size());
    for (int i = 1; i <= 25; ++i)
        series.images.push_back("イメージ" + std::to_string(i));
    series.images[7] = "とても長いイメージの言葉で用紙の欄には収まりきらないほど長い例です";
    return series;
}

class AnswerSheetsTest : public ::testing::Test {
  protected:
    void SetUp() override { kestrune::testing::ensureGuiApplication(); }
};

double drawnWidth(const SheetText& text) {
    return QFontMetricsF(sheetFont(text.size, text.bold)).horizontalAdvance(text.text) / kSheetUnitsPerMm;
}

std::vector<SheetText> pageTexts(const SheetPlan& plan, int subject) {
    std::vector<SheetText> texts = plan.texts;
    texts.push_back(subjectNumberText(plan, subject));
    return texts;
}

int pdfPageCount(const std::string& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())).count(page));
}

}  // namespace

TEST_F(AnswerSheetsTest, RowsLineUpLikeTheBoardOneRowPerImage) {
    const AnswerSheetRequest request = answerSheetRequest(tenPanelSeries(), {}, std::nullopt);
    for (std::size_t index : {std::size_t{0}, std::size_t{44}}) {
        const SheetPlan plan = planAnswerSheet(request, index);
        ASSERT_EQ(plan.circlesA.size(), 25u);
        ASSERT_EQ(plan.circlesB.size(), 25u);
        for (std::size_t row = 0; row < 25; ++row) {
            // A left of B at the board's spacing, on the same line, rows at a fixed pitch.
            EXPECT_DOUBLE_EQ(plan.circlesB[row].x() - plan.circlesA[row].x(), kSheetCircleDistance);
            EXPECT_DOUBLE_EQ(plan.circlesB[row].y(), plan.circlesA[row].y());
            if (row > 0) {
                EXPECT_DOUBLE_EQ(plan.circlesA[row].y() - plan.circlesA[row - 1].y(), kSheetRowPitch);
            }
            // The word of row i stands left of the circles, centred on their line.
            const QString word = QString::fromStdString(request.images[row]);
            const auto found = std::find_if(plan.texts.begin(), plan.texts.end(), [&](const SheetText& text) {
                return text.text == word ||
                       (text.text.endsWith(QChar(0x2026)) && word.startsWith(text.text.chopped(1)));
            });
            ASSERT_NE(found, plan.texts.end()) << "row " << row + 1;
            EXPECT_DOUBLE_EQ(found->box.center().y(), plan.circlesA[row].y());
            EXPECT_LT(found->box.right(), plan.circlesA[row].x() - plan.circleRadius);
        }
        // The last row stays on the paper, inside the bottom margin.
        EXPECT_LT(plan.circlesA.back().y() + plan.circleRadius, kSheetHeight - 10);
    }
}

TEST_F(AnswerSheetsTest, ShowsTheSheetNumberAndTheTwoPanelsOfThePair) {
    TSeries series = tenPanelSeries();
    const AnswerSheetRequest byNumber = answerSheetRequest(series, {}, std::nullopt);
    const std::vector<std::string> codes{"A-101", "B-202", "C-303", "D-404", "E-505",
                                         "F-606", "G-707", "H-808", "I-909", "J-010"};
    const AnswerSheetRequest byCode = answerSheetRequest(series, codes, std::nullopt);
    const auto hasText = [](const SheetPlan& plan, const QString& wanted) {
        return std::any_of(plan.texts.begin(), plan.texts.end(),
                           [&](const SheetText& text) { return text.text == wanted; });
    };
    for (std::size_t index = 0; index < series.pairs.size(); ++index) {
        const TPanelPair& pair = series.pairs[index];
        const SheetPlan numbered = planAnswerSheet(byNumber, index);
        EXPECT_TRUE(hasText(numbered, QStringLiteral("%1 / 45").arg(index + 1)));
        EXPECT_TRUE(hasText(numbered, QString::fromStdString(series.name)));
        EXPECT_TRUE(hasText(numbered, QString::number(pair.a)));
        EXPECT_TRUE(hasText(numbered, QString::number(pair.b)));
        const SheetPlan coded = planAnswerSheet(byCode, index);
        EXPECT_TRUE(hasText(coded, QString::fromStdString(codes[pair.a - 1])));
        EXPECT_TRUE(hasText(coded, QString::fromStdString(codes[pair.b - 1])));
    }
}

TEST_F(AnswerSheetsTest, LongTextsAreShortenedVisiblyAndNothingOverlaps) {
    TSeries series = tenPanelSeries();
    series.name =
        "非常に長いシリーズ名で見出しの欄に収まりきらない場合にどう表示されるかを確かめるための名前";
    std::vector<std::string> codes;
    for (int panel = 1; panel <= 10; ++panel)
        codes.push_back(panel == 1 ? "とても長いサンプルコードの名前でそのままでは枠に収まらないものＡＢＣ"
                                   : "W" + std::to_string(panel) + "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    const AnswerSheetRequest request = answerSheetRequest(series, codes, 100);
    const std::size_t firstWithPanelOne = static_cast<std::size_t>(
        std::find_if(series.pairs.begin(), series.pairs.end(),
                     [](const TPanelPair& pair) { return pair.a == 1 || pair.b == 1; }) -
        series.pairs.begin());
    const SheetPlan plan = planAnswerSheet(request, firstWithPanelOne);
    const std::vector<SheetText> texts = pageTexts(plan, 100);

    const QString longCode = QString::fromStdString(codes[0]);
    const auto shortened = std::find_if(texts.begin(), texts.end(), [&](const SheetText& text) {
        return text.text.endsWith(QChar(0x2026)) && longCode.startsWith(text.text.chopped(1));
    });
    ASSERT_NE(shortened, texts.end()) << "the long code is not shortened with an ellipsis";
    EXPECT_GT(shortened->text.size(), 3);

    const QRectF paper(0, 0, kSheetWidth, kSheetHeight);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_LE(drawnWidth(texts[i]), texts[i].box.width() + 1e-6) << texts[i].text.toStdString();
        EXPECT_LE(texts[i].size, texts[i].box.height()) << texts[i].text.toStdString();
        EXPECT_TRUE(paper.adjusted(10, 10, -10, -10).contains(texts[i].box)) << texts[i].text.toStdString();
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF common = texts[i].box.intersected(texts[j].box);
            EXPECT_TRUE(common.width() <= 1e-9 || common.height() <= 1e-9)
                << texts[i].text.toStdString() << " / " << texts[j].text.toStdString();
        }
        for (const std::vector<QPointF>* column : {&plan.circlesA, &plan.circlesB}) {
            for (const QPointF& centre : *column) {
                const QRectF circle(centre.x() - plan.circleRadius, centre.y() - plan.circleRadius,
                                    2 * plan.circleRadius, 2 * plan.circleRadius);
                EXPECT_FALSE(circle.intersects(texts[i].box)) << texts[i].text.toStdString();
            }
        }
    }
    EXPECT_EQ(subjectNumberText(plan, 100).text, QStringLiteral("100"));
    EXPECT_TRUE(plan.subjectNumberBox.contains(subjectNumberText(plan, 100).box));
}

TEST_F(AnswerSheetsTest, ThePdfIsVectorA4WithOnePagePerSheetAndSubject) {
    TSeries series = tenPanelSeries();
    series.pairs.resize(6);  // a short order keeps the document small
    const std::string numbered = answerSheetsPdf(answerSheetRequest(series, {}, 3));
    EXPECT_EQ(numbered.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPageCount(numbered), 18);
    EXPECT_EQ(numbered.find("/Subtype /Image"), std::string::npos);
    EXPECT_NE(numbered.find("IPAGothic"), std::string::npos);
    EXPECT_NE(numbered.find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);  // A4 portrait
    EXPECT_EQ(pdfPageCount(answerSheetsPdf(answerSheetRequest(series, {}, std::nullopt))), 6);
}

TEST_F(AnswerSheetsTest, RefusesCodesSubjectsAndSeriesTheSheetsCannotShow) {
    const TSeries series = tenPanelSeries();
    const auto refusal = [&](const std::vector<std::string>& codes, std::optional<int> subjects) {
        try {
            answerSheetRequest(series, codes, subjects);
        } catch (const UserError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(refusal({"a", "b"}, std::nullopt), "サンプルコードの数がパネルの枚数と合いません。");
    EXPECT_EQ(refusal({"a", "b", "c", "d", "", "f", "g", "h", "i", "j"}, std::nullopt),
              "空のサンプルコードがあります。");
    EXPECT_EQ(refusal({}, 0), "被験者の数は1から100までです。");
    EXPECT_EQ(refusal({}, 101), "被験者の数は1から100までです。");
    EXPECT_EQ(refusal({}, 100), "");
    TSeries tooMany = series;
    tooMany.images.push_back("26番目");
    EXPECT_THROW(answerSheetRequest(tooMany, {}, std::nullopt), UserError);
}

TEST_F(AnswerSheetsTest, SampleCodesAreSplitAtEitherCommaAndTrimmed) {
    EXPECT_EQ(parseSampleCodes(" A12, B07 ，C33、D 4 "),
              (std::vector<std::string>{"A12", "B07", "C33", "D 4"}));
    EXPECT_TRUE(parseSampleCodes("  ").empty());
    EXPECT_EQ(parseSampleCodes("a,,c"), (std::vector<std::string>{"a", "", "c"}));
}
