#pragma once

#include "platform/view_toolkit.h"

namespace strumwise::tuner {

// The input level meter, drawn after each tick with the tick's average power and the two
// thresholds the tick decides by, so the player can tell "too quiet" from "not heard". Main
// thread only.
class LevelDisplay {
  public:
    explicit LevelDisplay(platform::LevelMeter* view) : view_(view) {}

    void show(double power);

  private:
    platform::LevelMeter* view_;
};

}  // namespace strumwise::tuner
