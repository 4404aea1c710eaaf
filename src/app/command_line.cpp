#include "app/command_line.h"

#include <algorithm>

#include "base/printable_text.h"

namespace strumwise::app {

std::string parseCommandLine(std::span<const std::string_view> args,
                             std::span<const AcceptedOption> accepted, CommandLine& parsed) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !arg.starts_with('-') || arg == "-") {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            return {};
        }
        std::string_view name = arg;
        const auto equals = arg.find('=');
        const bool valueInline = arg.starts_with("--") && equals != std::string_view::npos;
        if (valueInline) {
            name = arg.substr(0, equals);
        }
        const auto known =
            std::find_if(accepted.begin(), accepted.end(),
                         [name](const AcceptedOption& option) { return option.name == name; });
        if (known == accepted.end()) {
            return "unknown option '" + shownName(arg) + "'";
        }
        GivenOption option{known->name, {}};
        if (valueInline) {
            if (!known->takesValue) {
                return "option " + std::string(name) + " takes no value";
            }
            option.value = arg.substr(equals + 1);
        } else if (known->takesValue) {
            if (i + 1 >= args.size()) {
                return "option " + std::string(name) + " needs a value";
            }
            option.value = args[++i];
        }
        parsed.options.push_back(option);
    }
    return {};
}

std::string refuseOperands(const CommandLine& parsed, std::string_view hint) {
    if (parsed.operands.empty()) {
        return {};
    }
    return "unexpected argument '" + shownName(parsed.operands.front()) + "' (" +
           std::string(hint) + ")";
}

}  // namespace strumwise::app
