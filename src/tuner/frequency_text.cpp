#include "tuner/frequency_text.h"

#include "base/decimal_text.h"

namespace strumwise::tuner {
namespace {

constexpr int kShownDecimals = 1;

}  // namespace

std::string frequencyText(double hertz) {
    return fixedDecimalText(hertz, kShownDecimals) + "Hz";
}

double frequencyAsShown(double hertz) {
    double shown = hertz;
    readDecimal(fixedDecimalText(hertz, kShownDecimals), shown);
    return shown;
}

}  // namespace strumwise::tuner
