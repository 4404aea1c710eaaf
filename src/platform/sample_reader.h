#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace strumwise::platform {

// Signed 16-bit mono samples read in order, a block at a time, from a source that may be far
// longer than memory (a sound file decoded as it is read).
class SampleReader {
  public:
    virtual ~SampleReader() = default;

    // Fills `out` with the next samples and answers how many it wrote: fewer than out.size()
    // only at the end of the samples (or when reading failed), and 0 from then on.
    virtual std::size_t read(std::span<std::int16_t> out) = 0;
};

// Starts reading a signal from its beginning; answers nullptr when it cannot.
using SampleReaderOpener = std::function<std::unique_ptr<SampleReader>()>;

// Samples already in memory, read in order.
class VectorSampleReader final : public SampleReader {
  public:
    explicit VectorSampleReader(std::shared_ptr<const std::vector<std::int16_t>> samples)
        : samples_(std::move(samples)) {}

    std::size_t read(std::span<std::int16_t> out) override {
        const std::size_t count = std::min(out.size(), samples_->size() - position_);
        std::copy_n(samples_->begin() + static_cast<std::ptrdiff_t>(position_), count, out.begin());
        position_ += count;
        return count;
    }

  private:
    std::shared_ptr<const std::vector<std::int16_t>> samples_;
    std::size_t position_ = 0;
};

// An opener that reads `samples` from the start each time it is called.
inline SampleReaderOpener openSamples(std::vector<std::int16_t> samples) {
    auto shared = std::make_shared<const std::vector<std::int16_t>>(std::move(samples));
    return [shared] { return std::make_unique<VectorSampleReader>(shared); };
}

}  // namespace strumwise::platform
