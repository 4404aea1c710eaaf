#pragma once

#include <string>

namespace strumwise {

// printf-style formatting into a std::string, for the fixed log and label formats the product
// uses ("%.1fHz", "iPhone has a height of: %f").
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace strumwise
