#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace strumwise::app {

// An option that takes a value, as the commands read it.
struct OptionValue {
    std::string_view name;
    std::string_view value;
};

// Reads the option at args[i], written either "--name value" or "--name=value", whose name must
// be one of `known`. On success fills `option`, moves `i` onto the option's last argument and
// answers an empty string; otherwise answers one line that says what is wrong.
inline std::string readOptionValue(std::span<const std::string_view> args, std::size_t& i,
                                   std::initializer_list<std::string_view> known,
                                   OptionValue& option) {
    std::string_view name = args[i];
    bool inlineValue = false;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != name.npos) {
        option.value = name.substr(equals + 1);
        name = name.substr(0, equals);
        inlineValue = true;
    }
    bool isKnown = false;
    for (const std::string_view candidate : known) {
        isKnown = isKnown || candidate == name;
    }
    if (!isKnown) {
        return "unknown option '" + std::string(args[i]) + "'";
    }
    if (!inlineValue) {
        if (i + 1 >= args.size()) {
            return "option " + std::string(name) + " needs a value";
        }
        option.value = args[++i];
    }
    option.name = name;
    return {};
}

}  // namespace strumwise::app
