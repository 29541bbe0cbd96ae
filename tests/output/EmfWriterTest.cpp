#include <gtest/gtest.h>

#include <QString>
#include <map>

#include "EmfTestReader.h"
#include "FigureGuiApp.h"
#include "analysis/CorrelationDiagram.h"
#include "core/Picture.h"
#include "output/figure/EmfRecords.h"
#include "output/figure/EmfWriter.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

Color fromColorRef(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8 & 0xFF),
            static_cast<std::uint8_t>(value >> 16 & 0xFF)};
}

// Plays the records back as a device would: the objects in the handle table, the ones
// selected, the text colours and mode; every drawing record yields the operation it draws
// and the state it is drawn with, for comparison with the picture.
struct PlayedBack {
    std::vector<DrawOp> operations;
    std::vector<std::string> errors;
};

PlayedBack playBack(const std::vector<EmfRecord>& records) {
    PlayedBack result;
    std::map<std::uint32_t, EmfRecord> objects;
    std::uint32_t pen = 0, brush = 0, font = 0;
    DrawState state;
    const auto fail = [&result](const std::string& error) { result.errors.push_back(error); };
    for (const EmfRecord& record : records) {
        switch (record.type) {
            case emf::kExtCreatePen:
            case emf::kCreateBrushIndirect:
            case emf::kExtCreateFontIndirectW: {
                const std::uint32_t slot = record.u32(8);
                if (slot == 0 || slot >= emf::kHandleCount)
                    fail("handle out of the table");
                if (objects.count(slot))
                    fail("handle reused before it was deleted");
                objects[slot] = record;
                break;
            }
            case emf::kSelectObject: {
                const std::uint32_t slot = record.u32(8);
                if (!objects.count(slot)) {
                    fail("selecting an object that does not exist");
                    break;
                }
                const EmfRecord& object = objects[slot];
                if (object.type == emf::kExtCreatePen) {
                    pen = slot;
                    if (object.u32(28) != emf::kPenGeometricSolidRound)
                        fail("not a solid geometric pen");
                    state.pen = {fromColorRef(object.u32(40)), object.i32(32)};
                } else if (object.type == emf::kCreateBrushIndirect) {
                    brush = slot;
                    state.brush = {fromColorRef(object.u32(16)), object.u32(12) == emf::kBrushNull};
                } else {
                    font = slot;
                    state.font.face = QString::fromStdU16String(object.utf16z(40, 32)).toStdString();
                    const int height = -object.i32(12);
                    state.font.pointSize = height == 21 ? 16 : height == 32 ? 24 : height;
                    state.font.bold = object.i32(28) == 700;
                    state.font.italic = object.u8(32) != 0;
                }
                break;
            }
            case emf::kDeleteObject: {
                const std::uint32_t slot = record.u32(8);
                if (slot == pen || slot == brush || slot == font)
                    fail("deleting a selected object");
                if (!objects.erase(slot))
                    fail("deleting an object that does not exist");
                break;
            }
            case emf::kSetTextColor:
                state.font.color = fromColorRef(record.u32(8));
                break;
            case emf::kSetBkColor:
                state.textBackground = fromColorRef(record.u32(8));
                break;
            case emf::kSetBkMode:
                state.opaqueText = record.u32(8) == emf::kOpaque;
                break;
            case emf::kPolyline16:
            case emf::kPolygon16: {
                std::vector<Point> points;
                for (std::uint32_t i = 0; i < record.u32(24); ++i) {
                    points.push_back({record.i16(28 + 4 * i), record.i16(30 + 4 * i)});
                }
                if (record.type == emf::kPolygon16) {
                    result.operations.push_back({PolygonOp{points}, state});
                } else if (points.size() == 2) {
                    result.operations.push_back({LineOp{points[0], points[1]}, state});
                } else {
                    result.operations.push_back({PolylineOp{points}, state});
                }
                break;
            }
            case emf::kEllipse:
            case emf::kRectangle: {
                const Point topLeft{record.i32(8), record.i32(12)};
                const Point bottomRight{record.i32(16), record.i32(20)};
                if (record.type == emf::kEllipse) {
                    result.operations.push_back({EllipseOp{topLeft, bottomRight}, state});
                } else {
                    result.operations.push_back({RectangleOp{topLeft, bottomRight}, state});
                }
                break;
            }
            case emf::kExtTextOutW: {
                const std::uint32_t count = record.u32(44);
                const std::u16string text = record.utf16(record.u32(48), count);
                const std::uint32_t dx = record.u32(72);
                int width = 0;
                for (std::uint32_t i = 0; i < count; ++i)
                    width += record.i32(dx + 4 * i);
                if (count > 0 && width <= 0)
                    fail("text without advances");
                if (record.u32(8) != record.u32(36) || record.u32(12) != record.u32(40))
                    fail("text bounds elsewhere");
                result.operations.push_back(
                    {TextOp{{record.i32(36), record.i32(40)}, QString::fromStdU16String(text).toStdString()},
                     state});
                break;
            }
            default:
                break;
        }
    }
    return result;
}

std::string describe(const DrawShape& shape) {
    return std::visit(
        [](const auto& s) {
            using T = std::decay_t<decltype(s)>;
            if constexpr (std::is_same_v<T, TextOp>) {
                return "text " + s.text + " at " + std::to_string(s.topLeft.x) + "," +
                       std::to_string(s.topLeft.y);
            } else if constexpr (std::is_same_v<T, LineOp>) {
                return "line from " + std::to_string(s.from.x) + "," + std::to_string(s.from.y);
            } else {
                return std::string("shape");
            }
        },
        shape);
}

bool sameShape(const DrawShape& a, const DrawShape& b) {
    if (a.index() != b.index())
        return false;
    return std::visit(
        [&b](const auto& s) {
            using T = std::decay_t<decltype(s)>;
            const T& t = std::get<T>(b);
            if constexpr (std::is_same_v<T, LineOp>)
                return s.from == t.from && s.to == t.to;
            else if constexpr (std::is_same_v<T, TextOp>)
                return s.topLeft == t.topLeft && s.text == t.text;
            else if constexpr (std::is_same_v<T, EllipseOp> || std::is_same_v<T, RectangleOp>)
                return s.topLeft == t.topLeft && s.bottomRight == t.bottomRight;
            else
                return s.points == t.points;
        },
        a);
}

// The metafile draws exactly the picture's operations, each in the picture's state.
void expectSameDrawing(const Picture& picture, const std::string& file) {
    const std::vector<EmfRecord> records = readEmfRecords(file);
    const PlayedBack played = playBack(records);
    EXPECT_TRUE(played.errors.empty()) << played.errors.front();
    ASSERT_EQ(played.operations.size(), picture.operations().size());
    for (std::size_t i = 0; i < played.operations.size(); ++i) {
        const DrawOp& expected = picture.operations()[i];
        const DrawOp& actual = played.operations[i];
        EXPECT_TRUE(sameShape(expected.shape, actual.shape))
            << "operation " << i << ": " << describe(expected.shape);
        EXPECT_EQ(actual.state.pen, expected.state.pen) << "operation " << i;
        EXPECT_EQ(actual.state.brush, expected.state.brush) << "operation " << i;
        if (std::holds_alternative<TextOp>(expected.shape)) {
            EXPECT_EQ(actual.state.font, expected.state.font) << "operation " << i;
            EXPECT_EQ(actual.state.opaqueText, expected.state.opaqueText) << "operation " << i;
            EXPECT_EQ(actual.state.textBackground, expected.state.textBackground) << "operation " << i;
        }
    }
}

Picture samplePicture() {
    Picture picture;
    picture.setPen(Pen{kRed, 3});
    picture.line({10, 20}, {30, 40});
    picture.setBrush(Brush{Color{0, 0, 255}});
    picture.polygon({{1, 2}, {3, 4}, {5, 6}, {1, 2}});
    picture.ellipse({100, 100}, {120, 120});
    picture.setPen(Pen{kBlack, 1});
    picture.rectangle({200, 200}, {220, 210});
    picture.setBrush(Brush{kWhite, true});
    picture.polyline({{0, 0}, {5, 5}, {10, 0}});
    picture.setFont(Font{"ＭＳ ゴシック", 16});
    picture.text({50, 60}, "明るい");
    picture.setFont(Font{"Arial", 16, true, true, kRed});
    picture.setTextBackground(false);
    picture.text({5, 6}, "12");
    picture.setFont(Font{"ＭＳ Ｐゴシック", 24});
    picture.setTextBackground(true, Color{255, 255, 0});
    picture.text({7, 8}, "重さ(g)");
    return picture;
}

}  // namespace

TEST(EmfWriter, HeaderDescribesTheWholeFile) {
    ensureGuiApplication();
    const std::string file = enhancedMetafileBytes(samplePicture());
    const std::vector<EmfRecord> records = readEmfRecords(file);
    ASSERT_GE(records.size(), 3u);
    const EmfRecord& header = records.front();
    EXPECT_EQ(header.type, emf::kHeader);
    EXPECT_EQ(header.u32(4), emf::kHeaderSize);
    EXPECT_EQ(header.u32(40), 0x464D4520u);
    EXPECT_EQ(header.u32(48), file.size());
    EXPECT_EQ(header.u32(52), records.size());
    EXPECT_EQ(header.u16(56), emf::kHandleCount);
    EXPECT_EQ(header.i32(8), 0);
    EXPECT_EQ(header.i32(16), 999);       // bounds
    EXPECT_EQ(header.i32(24 + 8), 9999);  // frame in 0.01 mm: 100 mm
    EXPECT_EQ(header.i32(72), 1000);      // device pixels
    EXPECT_EQ(header.i32(80), 100);       // device millimetres
    EXPECT_EQ(header.i32(100), 100000);
    const EmfRecord& eof = records.back();
    EXPECT_EQ(eof.type, emf::kEof);
    EXPECT_EQ(eof.u32(4), 20u);
    EXPECT_EQ(eof.u32(16), 20u);
    EXPECT_EQ(records[1].type, emf::kSetMapMode);
    EXPECT_EQ(records[1].u32(8), emf::kMapModeText);
    EXPECT_EQ(records[2].type, emf::kSetTextAlign);
    EXPECT_EQ(records[2].u32(8), emf::kAlignTopLeft);
}

TEST(EmfWriter, RecordsDrawThePictureInItsState) {
    ensureGuiApplication();
    const Picture picture = samplePicture();
    expectSameDrawing(picture, enhancedMetafileBytes(picture));
}

TEST(EmfWriter, FontsKeepTheirFacesAndTheJapaneseSet) {
    ensureGuiApplication();
    std::map<std::string, std::pair<int, int>> fonts;  // face → charset, pitch and family
    for (const EmfRecord& record : readEmfRecords(enhancedMetafileBytes(samplePicture()))) {
        if (record.type != emf::kExtCreateFontIndirectW)
            continue;
        EXPECT_EQ(record.u32(4), emf::kFontRecordSize);
        EXPECT_EQ(record.u32(360), emf::kDesignVectorSignature);
        fonts[QString::fromStdU16String(record.utf16z(40, 32)).toStdString()] = {record.u8(35),
                                                                                 record.u8(39)};
    }
    ASSERT_EQ(fonts.count("ＭＳ ゴシック"), 1u);
    EXPECT_EQ(fonts["ＭＳ ゴシック"].first, emf::kShiftJisCharset);
    EXPECT_EQ(fonts["ＭＳ ゴシック"].second, 0x31);
    EXPECT_EQ(fonts["ＭＳ Ｐゴシック"].first, emf::kShiftJisCharset);
    EXPECT_EQ(fonts["Arial"].first, emf::kDefaultCharset);
}

TEST(EmfWriter, TextCarriesUtf16AndAdvancesOfTheStandInFace) {
    ensureGuiApplication();
    Picture picture;
    picture.setFont(Font{"ＭＳ ゴシック", 16});
    picture.text({50, 60}, "明るいab");
    const std::vector<EmfRecord> records = readEmfRecords(enhancedMetafileBytes(picture));
    const auto text = std::find_if(records.begin(), records.end(),
                                   [](const EmfRecord& r) { return r.type == emf::kExtTextOutW; });
    ASSERT_NE(text, records.end());
    EXPECT_EQ(text->u32(44), 5u);
    EXPECT_EQ(text->utf16(text->u32(48), 5), u"明るいab");
    EXPECT_EQ(text->u32(24), emf::kGraphicsModeCompatible);
    // The gothic stand-in is fixed pitch: full-width characters a whole height, others half.
    const std::uint32_t dx = text->u32(72);
    EXPECT_EQ(text->i32(dx), 21);
    EXPECT_EQ(text->i32(dx + 8), 21);
    EXPECT_NEAR(text->i32(dx + 12), 10, 1);
    EXPECT_EQ(dx + 5 * 4, text->u32(4));
}

TEST(EmfWriter, ObjectsAreReplacedWithoutDeletingTheSelectedOne) {
    ensureGuiApplication();
    Picture picture;
    for (int width = 1; width <= 5; ++width) {
        picture.setPen(Pen{kBlack, width});
        picture.line({0, width}, {10, width});
    }
    const std::string file = enhancedMetafileBytes(picture);
    const PlayedBack played = playBack(readEmfRecords(file));
    EXPECT_TRUE(played.errors.empty()) << played.errors.front();
    int pens = 0;
    for (const EmfRecord& record : readEmfRecords(file))
        pens += record.type == emf::kExtCreatePen;
    EXPECT_EQ(pens, 5);  // the initial pen serves width 1, then one per width
    expectSameDrawing(picture, file);
}

TEST(EmfWriter, DiagramPictureIsWrittenRecordByRecord) {
    ensureGuiApplication();
    DiagramInput input;
    input.horizontal = {DiagramAxisKind::Physical, {2, 45, 450}, true, "重さ(g)"};
    input.vertical = {DiagramAxisKind::Image, {1.2, -0.5, 0.3}, false, "明るい"};
    input.shape = kDiagramTriangleDown;
    input.seriesName = "サンプル";
    Picture picture;
    ASSERT_EQ(drawCorrelationDiagram(input, picture).outcome, DiagramOutcome::Drawn);
    expectSameDrawing(picture, enhancedMetafileBytes(picture));
}

TEST(EmfWriter, FarPointsAreClampedNotWrapped) {
    ensureGuiApplication();
    Picture picture;
    picture.polygon({{0, 0}, {40000, -40000}, {0, 0}});
    const std::vector<EmfRecord> records = readEmfRecords(enhancedMetafileBytes(picture));
    const auto polygon = std::find_if(records.begin(), records.end(),
                                      [](const EmfRecord& r) { return r.type == emf::kPolygon16; });
    ASSERT_NE(polygon, records.end());
    EXPECT_EQ(polygon->i16(32), 32767);
    EXPECT_EQ(polygon->i16(34), -32768);
}
