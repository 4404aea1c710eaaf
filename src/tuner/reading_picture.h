#pragma once

#include "platform/view_toolkit.h"
#include "tuner/reading_history.h"

namespace strumwise::tuner {

// The picture of the meter's last seconds under it: each tick adds what the meter shows to the
// history and hands the history to the view, and the trend in words goes to the view when it
// changes, no sooner than kDescribeEverySeconds after the last, so that a screen reader does not
// chatter. Time is the tick's own: kPeriodSeconds a tick. A screen without the view costs
// nothing. Main thread only.
class ReadingPicture {
  public:
    static constexpr double kDescribeEverySeconds = 1.0;

    explicit ReadingPicture(platform::ReadingHistoryView* view) : view_(view) {}

    // After the meter has drawn the tick's reading.
    void tick(const platform::TuningMeterReading& shown);

    const ReadingHistory& history() const { return history_; }

  private:
    platform::ReadingHistoryView* view_;
    ReadingHistory history_;
    long ticks_ = 0;
    // Whether the view shows a reading; an empty picture is not drawn again while it stays empty.
    bool shownReading_ = false;
    // Nothing read is what the layout's own name stands for until the first reading.
    platform::ReadingTrend described_;
    double describedAt_ = -kDescribeEverySeconds;
};

}  // namespace strumwise::tuner
