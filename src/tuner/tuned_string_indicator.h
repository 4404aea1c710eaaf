#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/view_toolkit.h"
#include "view/outlets.h"

namespace strumwise::tuner {

// The picture of the string just found in tune. Each screen family has its own set of pictures
// and its own image view; the family is worked out afresh on every call, because the device
// reports its idiom and screen height at the moment of the query.
class TunedStringIndicator {
  public:
    TunedStringIndicator(const view::Outlets& outlets, const platform::Device& device,
                         const platform::Images& images);

    // Installs the picture of string 1..5 in the indicator view of the current screen class.
    // Any other string number, or a screen class without pictures, changes nothing. Visibility
    // is the tick's business and is not touched here.
    void displayTunedString(std::int64_t string);

    // The pictures displayTunedString installs on the device's screen class, strings 1 to 5;
    // none for a class without pictures.
    static std::vector<std::string> pictures(const platform::Device& device);

  private:
    const view::Outlets& outlets_;
    const platform::Device& device_;
    const platform::Images& images_;
};

}  // namespace strumwise::tuner
