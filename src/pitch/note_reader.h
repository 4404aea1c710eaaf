#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

struct kiss_fftr_state;

namespace strumwise::pitch {

// What the latest audio holds, as the tuner shows it: a note and its pitch, no note (noise, or
// a note that has died away into it), a pluck that has just begun and is too young to read, or
// not known (a note whose pitch still moves, or audio too quiet to judge).
struct NoteReading {
    enum class Verdict { Unsure, Starting, Note, NoNote };
    Verdict verdict = Verdict::Unsure;
    // The pitch the note's low partials agree on, in Hz; 0 unless the verdict is Note.
    double hertz = 0.0;
    // Whether audio heard within the last kHistorySamples was judged to hold no note: a block
    // the tick estimates may still hold that noise while the latest audio is not yet judged.
    bool noiseLately = false;

    bool note() const { return verdict == Verdict::Note; }
    bool starting() const { return verdict == Verdict::Starting; }
    bool noNote() const { return verdict == Verdict::NoNote; }
    bool operator==(const NoteReading&) const = default;
};

// Reads the latest audio of the microphone, as often as the tuner ticks, for the one pitch the
// screen shows. A plucked string's partials need not lie exactly on a harmonic series: a stiff
// or sampled string's upper partials can sit several cents above its first, and the ear (like
// the harmonic sum that lights the lamp) hears the pitch they agree on. So the reading is the
// least-squares fit of a harmonic series to the peaks of the first four partials, each weighted
// by its power: on a string whose partials are harmonic it is the first partial's pitch.
//
// The audio is read through a window that starts where the last pluck began, and is at most
// kLongestWindow samples long: a young note is read from its own samples alone, sooner than a
// whole capture block would allow, and an older one more finely. A reading is a note only when
// the partials of the fit hold most of the power around them (the rest is noise), and when it
// agrees with the reading of the tick before, from the same pluck: a pluck's first moments,
// whose pitch glides, are not shown. Where the partials hold less than half of the power, the
// audio holds no note that could name a string. The fundamental is the pitch whose harmonics
// rise highest above the noise floor, so that noise between a fading note's partials does not
// vote for the octave below it.
//
// All storage is allocated at construction; a reading allocates nothing. Main thread only.
class NoteReader {
  public:
    // The audio the reader looks at for the last pluck's start: 0.58 s.
    static constexpr std::size_t kHistorySamples = 8192;
    // The shortest window read (0.15 s, 19 periods of the lowest string) and the longest.
    static constexpr std::size_t kShortestWindow = 2048;
    static constexpr std::size_t kLongestWindow = 4096;
    static constexpr std::uint32_t kTransformSize = 16384;
    // Partials fitted, and the highest frequency a partial is looked for at.
    static constexpr int kFittedPartials = 4;
    static constexpr double kHighestPartialHz = 3000.0;
    // The range of pitches read: a fifth below the lowest string to two octaves above the
    // highest.
    static constexpr double kLowestHz = 85.0;
    static constexpr double kHighestHz = 1800.0;
    // The share of the power between half the pitch and half a partial above the last fitted
    // one that must lie within an eighth of the pitch of the fitted partials for a note (flat
    // noise has a quarter there); with less, the audio holds none that could name a string
    // (noise, or a note faded into it).
    static constexpr double kNoteShare = 0.5;
    // How far two successive readings of one pluck may lie apart for the second to be shown.
    static constexpr double kAgreementCents = 3.0;
    // Quieter than this RMS level (linear, full scale 1), the level above which the tuner
    // measures, is too quiet to judge: the end of a note and silence after it, or a click.
    static constexpr double kQuietest = 0.0045;
    // A window one of whose halves holds less than this share of the other's energy (12 dB)
    // holds the edge of a sound, not a note: a string does not die away so fast.
    static constexpr double kEdgeRatio = 1.0 / 16.0;

    explicit NoteReader(double sampleRate);
    ~NoteReader();
    NoteReader(const NoteReader&) = delete;
    NoteReader& operator=(const NoteReader&) = delete;
    NoteReader(NoteReader&&) = delete;
    NoteReader& operator=(NoteReader&&) = delete;

    // Reads `recent`, the latest samples captured (oldest first, at most kHistorySamples),
    // whose last one is sample number `end` - 1 of the capture.
    NoteReading read(std::span<const std::int16_t> recent, std::uint64_t end);

  private:
    NoteReading judge(std::span<const std::int16_t> recent, std::uint64_t end);

    struct Candidate {
        double hertz = 0.0;
        double share = 0.0;
    };

    // The spectrum of the window under a Hann window, into power_.
    void transform(std::span<const std::int16_t> window);
    // The noise floor under each bin: the median power of its octave of the spectrum.
    void measureFloor();
    // The fundamental's bin: the bin whose harmonics' peaks rise highest above the floor.
    std::uint32_t strongestSeries() const;
    double seriesScore(std::uint32_t bin) const;
    // The fit of the low partials of a series at `bin`, and the share of the power they hold.
    Candidate fitPartials(std::uint32_t bin) const;
    // The top of the peak nearest `bin`, between bins, and its power.
    double peakNear(double bin, double reachBins, double& power) const;

    double binHertz_;
    kiss_fftr_state* config_;
    std::unique_ptr<float[]> input_;
    std::unique_ptr<float[]> spectrum_;  // kTransformSize + 2 floats: the complex bins
    std::unique_ptr<double[]> power_;
    std::unique_ptr<double[]> floor_;
    std::unique_ptr<double[]> scratch_;
    std::uint32_t usedBins_;

    // The last reading's candidate, and where its pluck began.
    Candidate previous_;
    std::uint64_t previousStart_ = 0;
    // Where the audio last judged to hold no note ended; 0 before any.
    std::uint64_t noiseEnd_ = 0;
};

}  // namespace strumwise::pitch
