#include "collect/QrCode.h"

#include <qrencode.h>

#include <memory>

#include "core/Error.h"

namespace kestrune::collect {

QrCode encodeQrCode(std::string_view text) {
    const std::string copy(text);
    std::unique_ptr<QRcode, void (*)(QRcode*)> encoded(QRcode_encodeString8bit(copy.c_str(), 0, QR_ECLEVEL_M),
                                                       QRcode_free);
    if (!encoded)
        throw UserError("QR コードを作れません。");
    QrCode code;
    code.size = encoded->width;
    code.modules.resize(static_cast<std::size_t>(code.size) * code.size);
    for (std::size_t i = 0; i < code.modules.size(); ++i)
        code.modules[i] = (encoded->data[i] & 1) != 0;
    return code;
}

std::string terminalQrCode(const QrCode& code) {
    constexpr int kQuiet = 4;
    const int total = code.size + 2 * kQuiet;
    auto dark = [&](int x, int y) {
        x -= kQuiet;
        y -= kQuiet;
        return x >= 0 && y >= 0 && x < code.size && y < code.size && code.dark(x, y);
    };
    // Light modules are drawn as full blocks, dark ones as blanks, so the code reads as dark on
    // light on a terminal with a dark background, the common case; the reverse also scans, as
    // phone readers accept inverted codes.
    std::string out;
    for (int y = 0; y < total; y += 2) {
        for (int x = 0; x < total; ++x) {
            const bool top = !dark(x, y);
            const bool bottom = y + 1 < total && !dark(x, y + 1);
            out += top && bottom ? "█" : top ? "▀" : bottom ? "▄" : " ";
        }
        out += '\n';
    }
    return out;
}

}  // namespace kestrune::collect
