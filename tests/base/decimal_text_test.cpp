#include "base/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace strumwise {

// The WebAssembly build has no floating-point from_chars, so the shared reader must agree with
// the native one on everything a stored value, a version text or an option may hold.
TEST(DecimalText, ReadsExactlyWhatFromCharsReads) {
    for (const std::string_view text : {"293.66Hz",
                                        "5.1.1",
                                        "-.5",
                                        "5.",
                                        ".",
                                        "+5",
                                        " 5",
                                        "1e3",
                                        "1e",
                                        "2E-2x",
                                        "1e400",
                                        "1e-400",
                                        "4.9e-324",
                                        "inf",
                                        "-Infinity",
                                        "nan(x1)",
                                        "0.1000000000000000055511151231",
                                        "17.2",
                                        "",
                                        "-"}) {
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
