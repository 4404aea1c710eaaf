#include "tuner/level_display.h"

#include "tuner/tuner_tick.h"
#include "view/outlets.h"

namespace strumwise::tuner {

void LevelDisplay::show(double power) {
    view::show(view_, platform::LevelMeterReading{.power = power,
                                                  .silenceBelow = TunerTick::kSilenceBelow,
                                                  .measureAbove = TunerTick::kMeasureAbove});
}

}  // namespace strumwise::tuner
