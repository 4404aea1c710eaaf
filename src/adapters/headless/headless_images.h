#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/view_toolkit.h"

namespace strumwise::platform::headless {

// The product's named images, known by name only (the headless screen shows no pixels): the
// four lamps, the thirty tuned-string pictures and the eight tuning charts, and the chart of any
// other tuning, which the platforms draw when it is asked for (tuner/tuning_chart.h). Any other
// name is missing and answers nullptr, as a missing resource does on every platform. Each image
// is made once, so lookups on every tick neither allocate nor copy.
class HeadlessImages final : public Images {
  public:
    HeadlessImages();
    ImageRef imageNamed(std::string_view name) const override;

    // Every image name the product uses, in a stable order.
    static std::vector<std::string> productImageNames();

  private:
    std::map<std::string, ImageRef, std::less<>> images_;
    // The drawn charts asked for so far; lookups happen on the main thread only.
    mutable std::map<std::string, ImageRef, std::less<>> drawnCharts_;
};

}  // namespace strumwise::platform::headless
