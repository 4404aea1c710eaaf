#pragma once

#include <string_view>

#include "platform/view_toolkit.h"

namespace strumwise::platform {

// The look's name as every platform shows it: the trace's value, the desktop's style property
// and the web page's attribute.
constexpr std::string_view screenLookName(ScreenLook look) {
    switch (look) {
        case ScreenLook::Silence:
            return "silence";
        case ScreenLook::Measuring:
            return "measuring";
        case ScreenLook::InTune:
            return "inTune";
        case ScreenLook::Stale:
            return "stale";
    }
    return "";
}

}  // namespace strumwise::platform
