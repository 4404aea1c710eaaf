#include "tuner/reading_history.h"

#include <algorithm>

namespace strumwise::tuner {

void ReadingHistory::add(const platform::ReadingSample& sample) {
    if (count_ > 0 && sample.seconds < samples_[next_ + kCapacity - 1].seconds) {
        return;
    }
    samples_[next_] = sample;
    samples_[next_ + kCapacity] = sample;
    next_ = (next_ + 1) % kCapacity;
    count_ = std::min(count_ + 1, kCapacity);
}

std::span<const platform::ReadingSample> ReadingHistory::recent() const {
    // The newest sample sits just before `next_` in the upper copy; the stored ones run back
    // from there.
    const std::size_t end = next_ + kCapacity;
    std::span<const platform::ReadingSample> stored(samples_.data() + end - count_, count_);
    if (stored.empty()) {
        return stored;
    }
    const double oldest = stored.back().seconds - kSeconds;
    // A hair of slack, so that a tick that lands exactly kSeconds back is kept despite rounding.
    const auto first = std::find_if(stored.begin(), stored.end(), [&](const auto& sample) {
        return sample.seconds >= oldest - 1e-9;
    });
    return stored.subspan(static_cast<std::size_t>(first - stored.begin()));
}

bool ReadingHistory::hasReading() const {
    const auto shown = recent();
    return std::any_of(shown.begin(), shown.end(),
                       [](const auto& sample) { return sample.string != 0; });
}

}  // namespace strumwise::tuner
