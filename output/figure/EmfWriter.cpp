#include "output/figure/EmfWriter.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "core/AtomicFile.h"
#include "core/Cp932.h"
#include "output/figure/EmfRecords.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

namespace {

std::uint32_t colorRef(Color color) {
    return static_cast<std::uint32_t>(color.red) | static_cast<std::uint32_t>(color.green) << 8 |
           static_cast<std::uint32_t>(color.blue) << 16;
}

bool isJapaneseFace(const std::string& face) {
    for (unsigned char c : face) {
        if (c >= 0x80)
            return true;
    }
    return false;
}

// Little-endian record bytes; records are counted and their sizes patched when they end.
class RecordStream {
  public:
    void begin(std::uint32_t type) {
        start_ = bytes_.size();
        u32(type);
        u32(0);
    }
    void end() {
        while ((bytes_.size() - start_) % 4 != 0)
            bytes_.push_back('\0');
        patch(start_ + 4, static_cast<std::uint32_t>(bytes_.size() - start_));
        ++records_;
    }
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u16(std::uint16_t value) {
        u8(value & 0xFF);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            u8((value >> shift) & 0xFF);
    }
    void i32(int value) { u32(static_cast<std::uint32_t>(value)); }
    // Points far outside the picture are clamped rather than wrapped around.
    void i16(int value) {
        const int clamped = std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                            std::numeric_limits<std::int16_t>::max());
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(clamped)));
    }
    void f32(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    void rect(int left, int top, int right, int bottom) {
        i32(left);
        i32(top);
        i32(right);
        i32(bottom);
    }
    void patch(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    std::size_t size() const { return bytes_.size(); }
    std::uint32_t records() const { return records_; }
    std::string take() { return std::move(bytes_); }

  private:
    std::string bytes_;
    std::size_t start_ = 0;
    std::uint32_t records_ = 0;
};

// A canvas that writes every call as metafile records.
class EmfCanvas : public Canvas {
  public:
    EmfCanvas(int width, int height) : width_(width), height_(height) {
        header();
        simple(emf::kSetMapMode, emf::kMapModeText);
        simple(emf::kSetTextAlign, emf::kAlignTopLeft);
        setPen(Pen{});
        setBrush(Brush{});
        setFont(Font{});
        setTextBackground(true, kWhite);
    }

    std::string finish() {
        out_.begin(emf::kEof);
        out_.u32(0);   // no palette entries
        out_.u32(16);  // their offset
        out_.u32(20);  // this record's size, repeated
        out_.end();
        out_.patch(48, static_cast<std::uint32_t>(out_.size()));
        out_.patch(52, out_.records());
        return out_.take();
    }

    void setPen(const Pen& pen) override {
        if (havePen_ && pen == pen_)
            return;
        const std::uint32_t slot = nextSlot(emf::kPenSlot, penSlot_);
        // A geometric pen: its width is in logical units and scales with the picture, which
        // readers honour for this record (a plain pen is often drawn one pixel wide).
        out_.begin(emf::kExtCreatePen);
        out_.u32(slot);
        out_.u32(0);  // no brush bitmap: offset, size, bits offset, bits size
        out_.u32(0);
        out_.u32(0);
        out_.u32(0);
        out_.u32(emf::kPenGeometricSolidRound);
        out_.u32(static_cast<std::uint32_t>(std::max(pen.width, 0)));
        out_.u32(emf::kBrushSolid);
        out_.u32(colorRef(pen.color));
        out_.u32(0);  // hatch
        out_.u32(0);  // no style entries
        out_.end();
        replace(slot, penSlot_);
        pen_ = pen;
        havePen_ = true;
    }

    void setBrush(const Brush& brush) override {
        if (haveBrush_ && brush == brush_)
            return;
        const std::uint32_t slot = nextSlot(emf::kBrushSlot, brushSlot_);
        out_.begin(emf::kCreateBrushIndirect);
        out_.u32(slot);
        out_.u32(brush.hollow ? emf::kBrushNull : emf::kBrushSolid);
        out_.u32(colorRef(brush.color));
        out_.u32(0);  // hatch
        out_.end();
        replace(slot, brushSlot_);
        brush_ = brush;
        haveBrush_ = true;
    }

    void setFont(const Font& font) override {
        if (haveFont_ && font == font_)
            return;
        const std::uint32_t slot = nextSlot(emf::kFontSlot, fontSlot_);
        const bool japanese = isJapaneseFace(font.face);
        out_.begin(emf::kExtCreateFontIndirectW);
        out_.u32(slot);
        out_.i32(-font.height());  // negative: the character height, not the cell height
        out_.i32(0);               // width: the face's own
        out_.i32(0);               // escapement
        out_.i32(0);               // orientation
        out_.i32(font.bold ? 700 : 400);
        out_.u8(font.italic ? 1 : 0);
        out_.u8(0);  // underline
        out_.u8(0);  // strike out
        // Arial stays in the default set, or the font mapper would trade it for a Japanese face.
        out_.u8(japanese ? emf::kShiftJisCharset : emf::kDefaultCharset);
        out_.u8(0);  // output precision
        out_.u8(0);  // clip precision
        out_.u8(0);  // quality
        // Pitch and family: fixed modern for the gothic, variable swiss for the others.
        out_.u8(font.face == "ＭＳ ゴシック" ? 0x31 : 0x22);
        const std::u16string face = QString::fromStdString(font.face).left(31).toStdU16String();
        for (int i = 0; i < 32; ++i)
            out_.u16(i < static_cast<int>(face.size()) ? face[i] : 0);
        // The extended form Windows itself records: full name, style and script left empty,
        // and an empty design vector. Some readers take every font record to be this long.
        for (int i = 0; i < 64 + 32 + 32; ++i)
            out_.u16(0);
        out_.u32(emf::kDesignVectorSignature);
        out_.u32(0);  // no axes
        out_.end();
        replace(slot, fontSlot_);
        if (!haveFont_ || !(font.color == font_.color))
            simple(emf::kSetTextColor, colorRef(font.color));
        font_ = font;
        haveFont_ = true;
        metrics_ = std::make_unique<QFontMetricsF>(qtFont(font));
    }

    void setTextBackground(bool opaque, Color background) override {
        if (haveBackground_ && opaque == opaque_ && background == background_)
            return;
        if (!haveBackground_ || opaque != opaque_)
            simple(emf::kSetBkMode, opaque ? emf::kOpaque : emf::kTransparent);
        if (!haveBackground_ || !(background == background_))
            simple(emf::kSetBkColor, colorRef(background));
        opaque_ = opaque;
        background_ = background;
        haveBackground_ = true;
    }

    void line(Point from, Point to) override { polyline({from, to}); }
    void polyline(const std::vector<Point>& points) override { points16(emf::kPolyline16, points); }
    void polygon(const std::vector<Point>& points) override { points16(emf::kPolygon16, points); }
    void ellipse(Point topLeft, Point bottomRight) override { box(emf::kEllipse, topLeft, bottomRight); }
    void rectangle(Point topLeft, Point bottomRight) override { box(emf::kRectangle, topLeft, bottomRight); }

    void text(Point topLeft, const std::string& utf8) override {
        const QString text = QString::fromStdString(utf8);
        const std::u16string units = text.toStdU16String();
        const std::vector<int> advances = characterAdvances(text);
        int width = 0;
        for (int advance : advances)
            width += advance;
        const int height = static_cast<int>(std::ceil(metrics_->ascent() + metrics_->descent()));
        const std::uint32_t stringOffset = 76;
        // The string is padded to whole groups of four characters: some readers step over it
        // that way instead of following the advances' offset.
        const std::uint32_t stringBytes = static_cast<std::uint32_t>((units.size() + 3) / 4 * 8);

        out_.begin(emf::kExtTextOutW);
        out_.rect(topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height);  // bounds
        out_.u32(emf::kGraphicsModeCompatible);
        const float scale = 100.0f * emf::kDeviceMillimetres / width_;  // 0.01 mm per unit
        out_.f32(scale);
        out_.f32(scale);
        out_.i32(topLeft.x);  // reference point
        out_.i32(topLeft.y);
        out_.u32(static_cast<std::uint32_t>(units.size()));
        out_.u32(stringOffset);
        out_.u32(0);  // options: the background mode decides the cell's fill
        out_.rect(0, 0, -1, -1);
        out_.u32(units.empty() ? 0 : stringOffset + stringBytes);
        for (char16_t unit : units)
            out_.u16(unit);
        for (std::size_t i = units.size(); i < stringBytes / 2; ++i)
            out_.u16(0);
        for (int advance : advances)
            out_.i32(advance);
        out_.end();
    }

    int textWidth(const std::string& utf8) override {
        int width = 0;
        for (int advance : characterAdvances(QString::fromStdString(utf8)))
            width += advance;
        return width;
    }

  private:
    void header() {
        out_.begin(emf::kHeader);
        out_.rect(0, 0, width_ - 1, height_ - 1);  // bounds in device pixels
        const int frameRight = emf::kDeviceMillimetres * 100 * width_ / 1000 - 1;
        const int frameBottom = emf::kDeviceMillimetres * 100 * height_ / 1000 - 1;
        out_.rect(0, 0, frameRight, frameBottom);  // frame in 0.01 mm
        out_.u32(emf::kSignature);
        out_.u32(emf::kVersion);
        out_.u32(0);  // file size, patched
        out_.u32(0);  // record count, patched
        out_.u16(emf::kHandleCount);
        out_.u16(0);
        out_.u32(0);  // no description
        out_.u32(0);
        out_.u32(0);  // no palette
        out_.i32(1000);
        out_.i32(1000);  // reference device in pixels
        out_.i32(emf::kDeviceMillimetres);
        out_.i32(emf::kDeviceMillimetres);
        out_.u32(0);  // no pixel format
        out_.u32(0);
        out_.u32(0);  // not OpenGL
        out_.i32(emf::kDeviceMillimetres * 1000);
        out_.i32(emf::kDeviceMillimetres * 1000);
        out_.end();
    }

    void simple(std::uint32_t type, std::uint32_t value) {
        out_.begin(type);
        out_.u32(value);
        out_.end();
    }

    static std::uint32_t nextSlot(std::uint32_t first, std::uint32_t current) {
        return current == first ? first + 1 : first;
    }

    // Selects the new object, then deletes the one it replaces.
    void replace(std::uint32_t slot, std::uint32_t& current) {
        simple(emf::kSelectObject, slot);
        if (current != 0)
            simple(emf::kDeleteObject, current);
        current = slot;
    }

    void points16(std::uint32_t type, const std::vector<Point>& points) {
        if (points.empty())
            return;
        int left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
        for (Point p : points) {
            left = std::min(left, p.x), right = std::max(right, p.x);
            top = std::min(top, p.y), bottom = std::max(bottom, p.y);
        }
        out_.begin(type);
        out_.rect(left, top, right, bottom);
        out_.u32(static_cast<std::uint32_t>(points.size()));
        for (Point p : points) {
            out_.i16(p.x);
            out_.i16(p.y);
        }
        out_.end();
    }

    void box(std::uint32_t type, Point topLeft, Point bottomRight) {
        out_.begin(type);
        out_.rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
        out_.end();
    }

    // Advances of each UTF-16 unit in whole units, rounded along the run so that the sum
    // stays the text's measured width.
    std::vector<int> characterAdvances(const QString& text) const {
        std::vector<int> advances;
        double position = 0;
        int placed = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size()) {
                position += metrics_->horizontalAdvance(text.mid(i, 2));
                const int next = static_cast<int>(std::lround(position));
                advances.push_back(next - placed);
                advances.push_back(0);
                placed = next;
                ++i;
                continue;
            }
            position += metrics_->horizontalAdvance(text[i]);
            const int next = static_cast<int>(std::lround(position));
            advances.push_back(next - placed);
            placed = next;
        }
        return advances;
    }

    int width_;
    int height_;
    RecordStream out_;
    Pen pen_;
    Brush brush_;
    Font font_;
    bool opaque_ = true;
    Color background_ = kWhite;
    bool havePen_ = false, haveBrush_ = false, haveFont_ = false, haveBackground_ = false;
    std::uint32_t penSlot_ = 0, brushSlot_ = 0, fontSlot_ = 0;
    std::unique_ptr<QFontMetricsF> metrics_;
};

}  // namespace

std::string enhancedMetafileBytes(const Picture& picture) {
    EmfCanvas canvas(picture.width(), picture.height());
    picture.replay(canvas);
    return canvas.finish();
}

void writeEnhancedMetafile(const std::filesystem::path& path, const Picture& picture) {
    writeFileAtomically(path, enhancedMetafileBytes(picture));
}

}  // namespace kestrune
