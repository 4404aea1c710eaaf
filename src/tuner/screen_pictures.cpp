#include "tuner/screen_pictures.h"

#include "tuner/tuned_string_indicator.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_browser.h"

namespace strumwise::tuner {

std::vector<std::string> screenPictures(const platform::Device& device) {
    std::vector<std::string> names;
    for (const auto& lamps : {TunerTick::kInTuneLamps, TunerTick::kWaitingLamps}) {
        names.insert(names.end(), lamps.begin(), lamps.end());
    }
    for (auto&& more : {TuningBrowser::charts(device), TunedStringIndicator::pictures(device)}) {
        names.insert(names.end(), more.begin(), more.end());
    }
    return names;
}

}  // namespace strumwise::tuner
