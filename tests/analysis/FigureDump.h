#pragma once

// A recorded picture as text, one operation a line with the state it is drawn in, for golden
// files of the figures.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Picture.h"

namespace kestrune::testing {

inline std::string colourText(Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.red, c.green, c.blue);
    return text;
}

inline std::string pointsText(const std::vector<Point>& points) {
    std::string text;
    for (Point p : points)
        text.append(" ").append(std::to_string(p.x)).append(",").append(std::to_string(p.y));
    return text;
}

inline std::string dumpPicture(const Picture& picture) {
    std::ostringstream out;
    out << "picture " << picture.width() << "x" << picture.height() << "\n";
    for (const DrawOp& op : picture.operations()) {
        const DrawState& s = op.state;
        out << "pen " << colourText(s.pen.color) << "/" << s.pen.width << " brush "
            << colourText(s.brush.color) << (s.brush.hollow ? "/hollow" : "") << " | ";
        std::visit(
            [&out, &s](const auto& shape) {
                using T = std::decay_t<decltype(shape)>;
                if constexpr (std::is_same_v<T, LineOp>) {
                    out << "line" << pointsText({shape.from, shape.to});
                } else if constexpr (std::is_same_v<T, PolylineOp>) {
                    out << "polyline" << pointsText(shape.points);
                } else if constexpr (std::is_same_v<T, PolygonOp>) {
                    out << "polygon" << pointsText(shape.points);
                } else if constexpr (std::is_same_v<T, EllipseOp>) {
                    out << "ellipse" << pointsText({shape.topLeft, shape.bottomRight});
                } else if constexpr (std::is_same_v<T, RectangleOp>) {
                    out << "rectangle" << pointsText({shape.topLeft, shape.bottomRight});
                } else {
                    out << "text" << pointsText({shape.topLeft}) << " font " << s.font.face << "/"
                        << s.font.pointSize << (s.font.bold ? "/bold" : "")
                        << (s.font.italic ? "/italic" : "") << "/" << colourText(s.font.color)
                        << (s.opaqueText ? " opaque " + colourText(s.textBackground) : " transparent")
                        << " \"" << shape.text << "\"";
                }
            },
            op.shape);
        out << "\n";
    }
    return out.str();
}

inline std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Compares with a golden file byte for byte; KESTRUNE_UPDATE_GOLDEN=1 rewrites it instead.
inline bool matchesGolden(const std::string& actual, const std::string& path) {
    if (const char* update = std::getenv("KESTRUNE_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
    }
    return readTextFile(path) == actual;
}

}  // namespace kestrune::testing
