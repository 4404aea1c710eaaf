#include "tuner/frequency_text.h"

#include "base/decimal_text.h"

namespace strumwise::tuner {

std::string frequencyText(double hertz) {
    return fixedDecimalText(hertz, 1) + "Hz";
}

}  // namespace strumwise::tuner
