#include "base/printable_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ranges>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/decimal_text.h"

namespace strumwise {

// What reaches a terminal: controls (C0, DEL and the C1 range) and bytes outside well-formed
// UTF-8 become escapes; every real character, however many bytes it takes, stays as it is.
TEST(PrintableText, EscapesControlsAndMalformedUtf8AndKeepsEveryCharacter) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"d4.wav", "d4.wav"},
        {"a\tb\nc\rd", "a\\tb\\nc\\rd"},
        {"\x1b[31mred", "\\x1b[31mred"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"del\x7f", "del\\x7f"},
        {"c1 \xc2\x9b"
         "2J",
         "c1 \\xc2\\x9b2J"},               // U+009B, the one-byte CSI
        {"nbsp\xc2\xa0", "nbsp\xc2\xa0"},  // U+00A0 is no control
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5"},
        {"\xff\xfe", "\\xff\\xfe"},        // never in UTF-8
        {"\x80lone", "\\x80lone"},         // a continuation byte alone
        {"cut\xe2\x82", "cut\\xe2\\x82"},  // a sequence cut short
        {"\xe2\x82"
         "x",
         "\\xe2\\x82x"},                               // and cut short by an ASCII byte
        {"\xc0\xaf", "\\xc0\\xaf"},                    // an overlong '/'
        {"\xe0\x80\xaf", "\\xe0\\x80\\xaf"},           // another overlong '/'
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},           // a surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // beyond U+10FFFF
        {"\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},      // U+10FFFF itself
    };
    for (const auto& [text, printable] : cases) {
        EXPECT_EQ(printableText(text), printable) << printable;
    }
}

// `text` `count` times over.
std::string repeated(std::string_view text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

// A long name keeps its first 60 and last 39 characters, counted as characters, never cutting
// one in two; up to 100 it is shown whole.
TEST(PrintableText, LongNamesAreShortenedInTheMiddleByCharacters) {
    const std::string hundred(100, 'a');
    EXPECT_EQ(shownName(hundred), hundred);

    const std::string name = "/home/player/" + std::string(230, 'x') + "/d4.wav";
    EXPECT_EQ(shownName(name),
              "/home/player/" + std::string(47, 'x') + "\u2026" + std::string(32, 'x') + "/d4.wav");
    // 101 two-byte characters: still cut between characters, 60 of them and then 39.
    EXPECT_EQ(shownName(repeated("\xc3\xa9", 101)),
              repeated("\xc3\xa9", 60) + "\u2026" + repeated("\xc3\xa9", 39));
    // Escapes are made after the cut, so one never loses half of itself.
    EXPECT_EQ(shownName(std::string(150, '\x1b')),
              repeated("\\x1b", 60) + "\u2026" + repeated("\\x1b", 39));
}

// The WebAssembly build has no floating-point from_chars, so the shared reader must agree with
// the native one on everything a stored value, a version text or an option may hold.
TEST(DecimalText, ReadsExactlyWhatFromCharsReads) {
    // Each text between bars.
    constexpr std::string_view kTexts =
        "293.66Hz|5.1.1|-.5|5.|.|+5| 5|1e3|1e|2E-2x|1e400|1e-400|4.9e-324|inf|-Infinity|nan(x1)|"
        "0.1000000000000000055511151231|17.2||-";
    for (const auto part : std::views::split(kTexts, '|')) {
        const std::string_view text(part.begin(), part.end());
        for (const auto format : {std::chars_format::fixed, std::chars_format::general}) {
            double expected = -7.0;
            double actual = -7.0;
            const auto want =
                std::from_chars(text.data(), text.data() + text.size(), expected, format);
            const auto got = readDecimal(text, actual, format);
            EXPECT_EQ(got.ec, want.ec) << text;
            EXPECT_EQ(got.ptr - text.data(), want.ptr - text.data()) << text;
            EXPECT_TRUE(actual == expected || (std::isnan(actual) && std::isnan(expected)))
                << text << ": " << actual << " != " << expected;
            float single = 0.0f;
            float singleExpected = 0.0f;
            std::from_chars(text.data(), text.data() + text.size(), singleExpected, format);
            readDecimal(text, single, format);
            EXPECT_TRUE(single == singleExpected || std::isnan(single)) << text;
        }
    }
    EXPECT_EQ(fixedDecimalText(196.05, 1), "196.1");
    EXPECT_EQ(fixedDecimalText(0.25, 1), "0.2");
}

}  // namespace strumwise
