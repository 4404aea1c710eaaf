#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strumwise::app {

// The device a window or a headless run pretends to be, as `--screen IDIOM:HEIGHT` gives it.
struct ScreenOption {
    // 0 phone, 1 pad, any other number as given.
    std::optional<long> idiom;
    // The main screen's height in points, kept exactly: heights between listed ones are what
    // makes a screen unlisted.
    double height = 0.0;
};

// Reads IDIOM:HEIGHT, where IDIOM is "phone", "pad" or an integer and HEIGHT a positive number
// of points. nullopt, with `error` filled with one line, for anything else.
std::optional<ScreenOption> parseScreenOption(std::string_view text, std::string& error);

}  // namespace strumwise::app
