#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace strumwise::platform::headless {

// One English text of the localized strings, by table and key.
struct EnglishText {
    std::string_view table;
    std::string_view key;
    std::string_view text;
};

// The English texts behind the localized keys the product shows. This is the one place they
// are written: the headless bundle answers them, and the desktop's English translation file is
// checked against them.
std::span<const EnglishText> englishTexts();

// The English text of `key` in `table` ("" means the default table "Localizable").
std::optional<std::string_view> englishText(std::string_view key, std::string_view table);

}  // namespace strumwise::platform::headless
