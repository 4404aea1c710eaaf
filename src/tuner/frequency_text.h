#pragma once

#include <string>

namespace strumwise::tuner {

// The measured frequency as the read-out shows it: one decimal, rounded, then "Hz"
// (293.4788 gives "293.5Hz"). Always with a decimal point, whatever the process's locale.
std::string frequencyText(double hertz);

// The frequency that read-out stands for: `hertz` rounded as frequencyText rounds it
// (293.4788 gives 293.5).
double frequencyAsShown(double hertz);

}  // namespace strumwise::tuner
