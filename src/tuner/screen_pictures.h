#pragma once

#include <string>
#include <vector>

#include "platform/device.h"

namespace strumwise::tuner {

// Every picture the tuner's screen may show on a device: the lamp's, the charts of the four
// tunings and the lit strings of its screen class. A platform that fetches its pictures over a
// network fetches these ahead, so that none is missing once the network is gone (the web edition
// keeps them for use offline).
std::vector<std::string> screenPictures(const platform::Device& device);

}  // namespace strumwise::tuner
