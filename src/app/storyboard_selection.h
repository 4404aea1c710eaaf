#pragma once

#include <functional>
#include <string_view>

#include "platform/device.h"
#include "platform/log.h"

namespace strumwise::app {

// Chooses the main screen's layout for the running device and hands its name to `install`.
// The tests are made one after another, each whether or not an earlier one matched, and the
// height log lines fall between them: five lines on every phone and one on every tablet,
// whatever the height. At most one layout is installed, none for an unlisted screen.
void initializeStoryBoardBasedOnScreenSize(const platform::Device& device, platform::Log& log,
                                           const std::function<void(std::string_view)>& install);

}  // namespace strumwise::app
