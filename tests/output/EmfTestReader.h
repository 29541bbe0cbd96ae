#pragma once

// A small reader of enhanced metafile records, to check what the writer produced.
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrune::testing {

struct EmfRecord {
    std::uint32_t type = 0;
    std::string bytes;  // the whole record, type and size included

    std::uint32_t u32(std::size_t offset) const {
        check(offset, 4);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
        return value;
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::uint16_t u16(std::size_t offset) const {
        check(offset, 2);
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                          static_cast<unsigned char>(bytes[offset + 1]) << 8);
    }
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint8_t u8(std::size_t offset) const {
        check(offset, 1);
        return static_cast<std::uint8_t>(bytes[offset]);
    }
    float f32(std::size_t offset) const {
        const std::uint32_t bits = u32(offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::u16string utf16(std::size_t offset, std::size_t count) const {
        std::u16string text;
        for (std::size_t i = 0; i < count; ++i)
            text.push_back(static_cast<char16_t>(u16(offset + 2 * i)));
        return text;
    }
    // A NUL-terminated UTF-16 field of at most `count` units.
    std::u16string utf16z(std::size_t offset, std::size_t count) const {
        std::u16string text = utf16(offset, count);
        return text.substr(0, text.find(u'\0'));
    }

  private:
    void check(std::size_t offset, std::size_t size) const {
        if (offset + size > bytes.size())
            throw std::out_of_range("read past the record's end");
    }
};

// Splits a file into records; a size that is not a multiple of 4, runs past the end or is
// shorter than 8 bytes throws.
inline std::vector<EmfRecord> readEmfRecords(const std::string& file) {
    std::vector<EmfRecord> records;
    std::size_t offset = 0;
    while (offset < file.size()) {
        if (file.size() - offset < 8)
            throw std::runtime_error("truncated record header");
        EmfRecord probe{0, file.substr(offset, 8)};
        const std::uint32_t size = probe.u32(4);
        if (size < 8 || size % 4 != 0 || offset + size > file.size()) {
            throw std::runtime_error("bad record size " + std::to_string(size) + " at " +
                                     std::to_string(offset));
        }
        records.push_back({probe.u32(0), file.substr(offset, size)});
        offset += size;
    }
    return records;
}

}  // namespace kestrune::testing
