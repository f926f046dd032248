#include "core/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code points, as
// Windows maps them.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at the start of `text`, or 0. Rejects overlong
// forms, surrogates and code points above U+10FFFF.
size_t ValidSequenceLength(std::string_view text)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    else return 0;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    if (text.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (!IsContinuation(byte(i))) return 0;
    return length;
}

// The small letter of a capital; every other code point stays. Enough of Unicode's
// case pairs for the names and notes a photo library holds: Latin-1, Latin
// Extended-A (which holds the capitals of Windows-1252's 0x80 row), Greek, Cyrillic.
char32_t SmallLetter(char32_t code)
{
    if (code < 0x80) return code >= 'A' && code <= 'Z' ? code + 0x20 : code;
    if (code >= 0xC0 && code <= 0xDE) return code == 0xD7 ? code : code + 0x20;
    if (code >= 0x100 && code <= 0x17F) {
        if (code == 0x130) return U'i';
        if (code == 0x178) return 0xFF;
        if (code == 0x131 || code == 0x138 || code == 0x149 || code == 0x17F) return code;
        // From 0x139 to 0x148 and from 0x179 the capitals sit at odd code points.
        const bool oddCapitals = (code >= 0x139 && code <= 0x148) || code >= 0x179;
        return (code % 2 == 1) == oddCapitals ? code + 1 : code;
    }
    if (code >= 0x391 && code <= 0x3A9) return code == 0x3A2 ? code : code + 0x20;
    if (code == 0x386) return 0x3AC;
    if (code >= 0x388 && code <= 0x38A) return code + 0x25;
    if (code == 0x38C) return 0x3CC;
    if (code == 0x38E || code == 0x38F) return code + 0x3F;
    if (code == 0x3C2) return 0x3C3;  // final sigma
    if (code >= 0x400 && code <= 0x40F) return code + 0x50;
    if (code >= 0x410 && code <= 0x42F) return code + 0x20;
    return code;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t length = ValidSequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string ToDisplayUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80)
            out += c;
        else
            AppendUtf8(out, byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte});
    }
    return out;
}

void AppendFoldedForSearch(std::string_view bytes, std::string& out)
{
    // Most texts are ASCII: a byte for a byte, without decoding.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; })) {
        const size_t at = out.size();
        out.resize(at + bytes.size());
        std::transform(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(at),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; });
        return;
    }
    if (!IsValidUtf8(bytes)) {
        for (const char c : bytes) {
            const auto byte = static_cast<uint8_t>(c);
            if (byte < 0x80)
                out += static_cast<char>(SmallLetter(byte));
            else
                AppendUtf8(out, SmallLetter(byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte}));
        }
        return;
    }
    // Every letter folded lies below U+0800, so only two-byte sequences are decoded;
    // longer ones are copied as they stand.
    while (!bytes.empty()) {
        const size_t length = ValidSequenceLength(bytes);
        const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
        if (length == 1) {
            out += static_cast<char>(SmallLetter(byte(0)));
        } else if (length == 2) {
            AppendUtf8(out, SmallLetter(char32_t((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F)));
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
}

std::string FoldCaseForSearch(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    AppendFoldedForSearch(bytes, out);
    return out;
}
