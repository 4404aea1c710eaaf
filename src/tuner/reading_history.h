#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "platform/view_toolkit.h"

namespace strumwise::tuner {

// The tuning meter's readings of the last few seconds, one sample a tick, gaps included: what the
// picture under the meter draws and its trend is read from. A fixed ring that never allocates
// once made; main thread only.
class ReadingHistory {
  public:
    // How far back the picture reaches.
    static constexpr double kSeconds = 6.0;
    // Room for those seconds at the tick's ten a second, with a few to spare for a late tick.
    static constexpr std::size_t kCapacity = 64;

    // Samples arrive in time order; one older than the newest is dropped.
    void add(const platform::ReadingSample& sample);
    void clear() { count_ = 0; }

    // The samples no older than kSeconds before the newest, oldest first.
    std::span<const platform::ReadingSample> recent() const;
    // Whether any of them read a string.
    bool hasReading() const;

  private:
    // Each sample is written twice, kCapacity apart, so that the last kCapacity of them always
    // lie side by side and can be handed out as one span without copying.
    std::array<platform::ReadingSample, 2 * kCapacity> samples_{};
    std::size_t next_ = 0;  // where the next sample goes, 0..kCapacity-1
    std::size_t count_ = 0;
};

}  // namespace strumwise::tuner
