#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace strumwise::platform {

// A named image resource as the toolkit loaded it. Platforms subclass it to carry pixels.
class Image {
  public:
    virtual ~Image() = default;
    virtual std::string_view name() const = 0;
};

using ImageRef = std::shared_ptr<const Image>;

// The named-image lookup over the application's resources.
class Images {
  public:
    virtual ~Images() = default;
    // The image of that file name (for example "green64.png"), or nullptr when it is missing.
    virtual ImageRef imageNamed(std::string_view name) const = 0;
};

// The views the screen logic writes to. All calls on the main thread.
class Label {
  public:
    virtual ~Label() = default;
    // Shows exactly `text`, the empty text included.
    virtual void setText(std::string_view text) = 0;
};

class ImageView {
  public:
    virtual ~ImageView() = default;
    // nullptr leaves the view empty.
    virtual void setImage(ImageRef image) = 0;
    // A hidden view keeps its image.
    virtual void setHidden(bool hidden) = 0;
};

class Button {
  public:
    virtual ~Button() = default;
    // The title of the normal control state.
    virtual void setTitle(std::string_view title) = 0;
    virtual void setHidden(bool hidden) = 0;
};

// What the tuning meter shows: the string of the current tuning nearest to the sound, how far
// off it is in cents, and which way to turn its peg. An idle meter shows its empty scale.
struct TuningMeterReading {
    enum class Turn { None, Up, Down };  // None: in tune; Up: flat, tighten; Down: sharp, loosen

    bool idle = true;
    int string = 0;    // 1..5; 0 when chromatic
    std::string note;  // "G3"
    // No string of the tuning lies within kChromaticBeyond cents: `note` and `cents` are then
    // the heard note's own equal-tempered name and offset, not a string's, there is no zone, and
    // `turn` still points toward the nearest string.
    bool chromatic = false;
    double cents = 0.0;
    // The needle's place on its scale of -kNeedleRange..+kNeedleRange cents: `cents`, stopped
    // at the ends.
    double needle = 0.0;
    // The string's in-tune window in cents, the green zone of the scale.
    double zoneLow = 0.0;
    double zoneHigh = 0.0;
    Turn turn = Turn::None;
    // The tuner reads every note against one string the player locked (`string`, or the heard
    // note's own name beyond kLockedRange), rather than the nearest string.
    bool locked = false;

    static constexpr double kNeedleRange = 50.0;
    static constexpr double kChromaticBeyond = 100.0;
    // With one string locked the reading stays on it this far each way, an octave, so that a
    // string far off its note can be brought back; beyond, the heard note is named.
    static constexpr double kLockedRange = 1200.0;
    bool operator==(const TuningMeterReading&) const = default;
};

// What the input level meter shows: the microphone's average power (linear 0..1) against the
// two levels the tuner listens for, below which it shows silence and above which it measures.
struct LevelMeterReading {
    double power = 0.0;
    double silenceBelow = 0.0;
    double measureAbove = 0.0;
    bool operator==(const LevelMeterReading&) const = default;
};

class TuningMeter {
  public:
    virtual ~TuningMeter() = default;
    virtual void show(const TuningMeterReading& reading) = 0;
};

class LevelMeter {
  public:
    virtual ~LevelMeter() = default;
    virtual void show(const LevelMeterReading& reading) = 0;
};

// One tick of the tuning meter's recent past, for the picture of the last seconds under it: when
// (seconds on the screen's own clock of ticks), the string read (0 where the meter read no string,
// a gap in the picture), its offset in cents and that string's in-tune window.
struct ReadingSample {
    double seconds = 0.0;
    int string = 0;
    double cents = 0.0;
    double zoneLow = 0.0;
    double zoneHigh = 0.0;
    bool operator==(const ReadingSample&) const = default;
};

// What the picture of the last seconds says in words: nothing read; in tune; heading towards the
// note (settling), away from it (drifting), or holding off it (steady). `cents` is the latest
// offset rounded to whole cents, `note` the string's note.
struct ReadingTrend {
    enum class Kind { NoReading, InTune, Settling, Drifting, Steady };
    Kind kind = Kind::NoReading;
    std::string note;
    int cents = 0;
    bool operator==(const ReadingTrend&) const = default;
};

class ReadingHistoryView {
  public:
    virtual ~ReadingHistoryView() = default;
    // The samples of the last seconds, oldest first, the newest taken at `nowSeconds`. The span
    // lives only for the call.
    virtual void show(std::span<const ReadingSample> samples, double nowSeconds) = 0;
    // The trend in words, for assistive technology; no more than about once a second.
    virtual void describe(const ReadingTrend& trend) = 0;
};

// How the screen weighs its read-outs, from what the tick lit and what the meter reads. The
// tick's own writes keep the matched look through loud ticks that match nothing; this says
// whether that look still tells the truth, so a platform can dim what has gone stale and let
// the meter lead.
enum class ScreenLook {
    Silence,    // nothing heard since the last silent tick, or nothing yet
    Measuring,  // a sound is heard and no string is lit: the meter's reading is the news
    InTune,     // a string is lit and the meter reads it inside its window (or reads nothing)
    Stale,      // a string is lit, but the meter reads it out of its window or names another
};

class ScreenLookView {
  public:
    virtual ~ScreenLookView() = default;
    // Each change of the look.
    virtual void show(ScreenLook look) = 0;
    // Says to assistive technology that the sound has come into tune or gone out of it, with
    // the meter's reading; never more than once a second.
    virtual void announce(ScreenLook look, const TuningMeterReading& reading) = 0;
};

}  // namespace strumwise::platform
