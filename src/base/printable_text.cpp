#include "base/printable_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace strumwise {
namespace {

constexpr std::size_t kLongestShownName = 100;
constexpr std::size_t kShownHead = 60;
constexpr std::size_t kShownTail = 39;

// The length of the well-formed UTF-8 character that starts `text`: 0 when the first byte does
// not start one (a stray continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF, or a sequence cut short).
std::size_t characterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range the second byte must fall in
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf) {
            return 0;
        }
    }
    return length;
}

void appendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    if (byte == '\n') {
        out += "\\n";
    } else if (byte == '\t') {
        out += "\\t";
    } else if (byte == '\r') {
        out += "\\r";
    } else {
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xf];
    }
}

// `text` cut into what a reader sees as one character each: a well-formed UTF-8 character, or a
// single byte that belongs to none.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        const std::size_t length = std::max<std::size_t>(characterLength(text), 1);
        pieces.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return pieces;
}

}  // namespace

std::string printableText(std::string_view text) {
    std::string printable;
    printable.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = characterLength(text);
        const auto lead = static_cast<unsigned char>(text[0]);
        // U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
        const bool c1 = length == 2 && lead == 0xc2 && static_cast<unsigned char>(text[1]) < 0xa0;
        if (length == 0 || c1 || (length == 1 && (lead < 0x20 || lead == 0x7f))) {
            const std::size_t escaped = c1 ? 2 : 1;
            for (std::size_t i = 0; i < escaped; ++i) {
                appendEscaped(printable, static_cast<unsigned char>(text[i]));
            }
            text.remove_prefix(escaped);
            continue;
        }
        printable.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return printable;
}

std::string shownName(std::string_view text) {
    const std::vector<std::string_view> pieces = characters(text);
    if (pieces.size() <= kLongestShownName) {
        return printableText(text);
    }
    std::string shown;
    for (std::size_t i = 0; i < kShownHead; ++i) {
        shown += printableText(pieces[i]);
    }
    shown += "\u2026";
    for (std::size_t i = pieces.size() - kShownTail; i < pieces.size(); ++i) {
        shown += printableText(pieces[i]);
    }
    return shown;
}

}  // namespace strumwise
