#include "tuner/reading_picture.h"

#include "tuner/reading_trend.h"
#include "tuner/tuner_tick.h"

namespace strumwise::tuner {

void ReadingPicture::tick(const platform::TuningMeterReading& shown) {
    if (view_ == nullptr) {
        return;
    }
    const double now = static_cast<double>(ticks_++) * TunerTick::kPeriodSeconds;
    platform::ReadingSample sample{.seconds = now};
    // A note that is no string of the tuning has no string's colour or window: a gap.
    if (!shown.idle && !shown.chromatic) {
        sample.string = shown.string;
        sample.cents = shown.cents;
        sample.zoneLow = shown.zoneLow;
        sample.zoneHigh = shown.zoneHigh;
    }
    history_.add(sample);
    const auto recent = history_.recent();
    const bool hasReading = history_.hasReading();
    if (hasReading || shownReading_) {
        view_->show(recent, now);
        shownReading_ = hasReading;
    }
    const platform::ReadingTrend trend = readingTrend(recent, shown.note);
    if (trend != described_ && now - describedAt_ >= kDescribeEverySeconds - 1e-9) {
        view_->describe(trend);
        described_ = trend;
        describedAt_ = now;
    }
}

}  // namespace strumwise::tuner
