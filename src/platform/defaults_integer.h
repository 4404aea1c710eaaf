#pragma once

#include <cstdint>

namespace strumwise::platform {

// A stored real number read as an integer default: its whole part ("2.75" reads 2), never
// rounded up, and 0 when it is not a number or lies outside what 64 bits hold.
inline std::int64_t defaultsInteger(double real) {
    constexpr double kLimit = 9.2e18;
    return real > -kLimit && real < kLimit ? static_cast<std::int64_t>(real) : 0;
}

}  // namespace strumwise::platform
