#pragma once

// Helpers for asserting on the operations a figure recorded.
#include <string>
#include <vector>

#include "core/Picture.h"

namespace kestrune::testing {

inline std::vector<const DrawOp*> opsOf(const Picture& picture, auto predicate) {
    std::vector<const DrawOp*> found;
    for (const DrawOp& op : picture.operations()) {
        if (predicate(op))
            found.push_back(&op);
    }
    return found;
}

template <typename Shape>
std::vector<Shape> shapesOf(const Picture& picture) {
    std::vector<Shape> shapes;
    for (const DrawOp& op : picture.operations()) {
        if (const Shape* shape = std::get_if<Shape>(&op.shape))
            shapes.push_back(*shape);
    }
    return shapes;
}

// The texts drawn with their top at `y`, left to right in drawing order.
inline std::vector<std::string> textsAtY(const Picture& picture, int y) {
    std::vector<std::string> texts;
    for (const TextOp& text : shapesOf<TextOp>(picture)) {
        if (text.topLeft.y == y)
            texts.push_back(text.text);
    }
    return texts;
}

inline const TextOp* findText(const Picture& picture, const std::string& text) {
    for (const DrawOp& op : picture.operations()) {
        if (const TextOp* shape = std::get_if<TextOp>(&op.shape); shape && shape->text == text)
            return shape;
    }
    return nullptr;
}

}  // namespace kestrune::testing
