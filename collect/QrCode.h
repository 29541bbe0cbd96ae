#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::collect {

// A QR code as its modules: size × size, true for dark, without the quiet zone.
struct QrCode {
    int size = 0;
    std::vector<bool> modules;
    bool dark(int x, int y) const { return modules[static_cast<std::size_t>(y) * size + x]; }
};

// Encodes a text (the join URL) with medium error correction; throws UserError when it cannot.
QrCode encodeQrCode(std::string_view text);

// The code drawn for a terminal: two module rows per line with half blocks, dark on light,
// with a quiet zone of four modules, so a phone can read it off the screen.
std::string terminalQrCode(const QrCode& code);

}  // namespace kestrune::collect
