#include "core/Utf8Check.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KESTRUNE_UTF8_VECTORS 1
#endif

namespace kestrune {

namespace {

// Byte by byte, from a character boundary.
std::size_t firstInvalidFrom(std::string_view text, std::size_t i) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t to = text.size();
    while (i < to) {
        // Runs of ASCII eight bytes at a time.
        for (std::uint64_t word; i + 8 <= to; i += 8) {
            std::memcpy(&word, bytes + i, 8);
            if (word & 0x8080808080808080u)
                break;
        }
        if (i == to)
            break;
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;  // overlong below
            if (c == 0xED)
                high = 0x9F;  // surrogates above
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;  // overlong below
            if (c == 0xF4)
                high = 0x8F;  // beyond U+10FFFF above
        } else {
            return i;
        }
        if (to - i < length || bytes[i + 1] < low || bytes[i + 1] > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return i;
        }
        i += length;
    }
    return to;
}

#ifdef KESTRUNE_UTF8_VECTORS

// Sixteen bytes at a time by table look-ups, after Keiser and Lemire, "Validating UTF-8 in less
// than one instruction per byte" (2021). Every byte is judged with the one, two and three bytes
// before it: three tables indexed by the nibbles of a byte and of the byte before it flag the
// faults a pair of bytes can show, and a byte that must continue a three- or four-byte
// character is checked against the lead two or three bytes back.
namespace vectors {

// What a pair of bytes can be wrong with; a pair is wrong when all three tables agree on a bit.
constexpr std::uint8_t kTooShort = 1 << 0;      // a lead or ASCII byte where a continuation belongs
constexpr std::uint8_t kTooLong = 1 << 1;       // a continuation after ASCII
constexpr std::uint8_t kOverlong3 = 1 << 2;     // E0 80..9F
constexpr std::uint8_t kTooLarge = 1 << 3;      // F4 90..BF, F5..FF
constexpr std::uint8_t kSurrogate = 1 << 4;     // ED A0..BF
constexpr std::uint8_t kOverlong2 = 1 << 5;     // C0, C1
constexpr std::uint8_t kTooLarge1000 = 1 << 6;  // F5..FF 80..8F
constexpr std::uint8_t kOverlong4 = 1 << 6;     // F0 80..8F
constexpr std::uint8_t kTwoContinuations = 1 << 7;
// The faults decided by the high nibbles alone.
constexpr std::uint8_t kAnyLow = kTooShort | kTooLong | kTwoContinuations;

__attribute__((target("ssse3"))) inline __m128i table(const std::uint8_t (&entries)[16]) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(entries));
}

__attribute__((target("ssse3"))) inline __m128i highNibbles(__m128i bytes) {
    return _mm_and_si128(_mm_srli_epi16(bytes, 4), _mm_set1_epi8(0x0F));
}

// The faults of each byte with the byte before it; `before` holds the sixteen bytes before.
__attribute__((target("ssse3"))) inline __m128i pairFaults(__m128i bytes, __m128i before) {
    static constexpr std::uint8_t kFirstHigh[16] = {
        // 0___ ASCII
        kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
        // 10__ continuation
        kTwoContinuations, kTwoContinuations, kTwoContinuations, kTwoContinuations,
        // 1100, 1101 two-byte lead
        kTooShort | kOverlong2, kTooShort,
        // 1110 three-byte lead
        kTooShort | kOverlong3 | kSurrogate,
        // 1111 four-byte lead and beyond
        kTooShort | kTooLarge | kTooLarge1000 | kOverlong4};
    static constexpr std::uint8_t kFirstLow[16] = {
        kAnyLow | kOverlong3 | kOverlong2 | kOverlong4,  // ____0000
        kAnyLow | kOverlong2,                            // ____0001
        kAnyLow,
        kAnyLow,
        kAnyLow | kTooLarge,                  // ____0100
        kAnyLow | kTooLarge | kTooLarge1000,  // ____0101
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000 | kSurrogate,  // ____1101
        kAnyLow | kTooLarge | kTooLarge1000,
        kAnyLow | kTooLarge | kTooLarge1000};
    static constexpr std::uint8_t kSecondHigh[16] = {
        // 0___ ASCII
        kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
        // 1000
        kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge1000 | kOverlong4,
        // 1001
        kTooLong | kOverlong2 | kTwoContinuations | kOverlong3 | kTooLarge,
        // 1010, 1011
        kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
        kTooLong | kOverlong2 | kTwoContinuations | kSurrogate | kTooLarge,
        // 11__ lead
        kTooShort, kTooShort, kTooShort, kTooShort};
    const __m128i previous = _mm_alignr_epi8(bytes, before, 15);
    const __m128i firstHigh = _mm_shuffle_epi8(table(kFirstHigh), highNibbles(previous));
    const __m128i firstLow = _mm_shuffle_epi8(table(kFirstLow), _mm_and_si128(previous, _mm_set1_epi8(0x0F)));
    const __m128i secondHigh = _mm_shuffle_epi8(table(kSecondHigh), highNibbles(bytes));
    return _mm_and_si128(_mm_and_si128(firstHigh, firstLow), secondHigh);
}

// The faults of the sixteen bytes: the pair faults, and the bytes whose being a continuation
// the pair tables cannot see (the third and fourth of a character) set against the leads.
__attribute__((target("ssse3"))) inline __m128i faults(__m128i bytes, __m128i before) {
    const __m128i twoBack = _mm_alignr_epi8(bytes, before, 14);
    const __m128i threeBack = _mm_alignr_epi8(bytes, before, 13);
    // Non-zero where the byte two back leads three or four bytes, or the one three back four.
    const __m128i thirdOfThree = _mm_subs_epu8(twoBack, _mm_set1_epi8(static_cast<char>(0xE0 - 1)));
    const __m128i fourthOfFour = _mm_subs_epu8(threeBack, _mm_set1_epi8(static_cast<char>(0xF0 - 1)));
    const __m128i mustContinue =
        _mm_and_si128(_mm_cmpgt_epi8(_mm_or_si128(thirdOfThree, fourthOfFour), _mm_setzero_si128()),
                      _mm_set1_epi8(static_cast<char>(0x80)));
    // A continuation after a continuation is a fault exactly where no lead called for it.
    return _mm_xor_si128(mustContinue, pairFaults(bytes, before));
}

__attribute__((target("ssse3"))) inline bool anyBit(__m128i bytes) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())) != 0xFFFF;
}

// How far from the start the text is certainly UTF-8, ending on a character boundary: the
// blocks of sixteen bytes up to the first that shows a fault or the last whole block, less the
// character the last of them may have left unfinished.
__attribute__((target("ssse3"))) std::size_t checkedPrefix(std::string_view text) {
    const char* const bytes = text.data();
    __m128i before = _mm_setzero_si128();
    std::size_t i = 0;
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (anyBit(faults(block, before)))
            break;
        before = block;
    }
    // Back to the start of the character holding the last byte checked.
    std::size_t boundary = i;
    while (boundary > 0 && i - boundary < 3 &&
           (static_cast<unsigned char>(bytes[boundary - 1]) & 0xC0) == 0x80)
        --boundary;
    if (boundary > 0 && static_cast<unsigned char>(bytes[boundary - 1]) >= 0xC0)
        --boundary;
    return boundary;
}

bool processorHasVectors() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

}  // namespace vectors

#endif

}  // namespace

std::size_t firstInvalidUtf8(std::string_view text) {
    std::size_t from = 0;
#ifdef KESTRUNE_UTF8_VECTORS
    if (text.size() >= 16 && vectors::processorHasVectors())
        from = vectors::checkedPrefix(text);
#endif
    return firstInvalidFrom(text, from);
}

}  // namespace kestrune
