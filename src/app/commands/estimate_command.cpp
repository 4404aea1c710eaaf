// strumwise estimate: the tuner's pitch estimate for every capture-sized block of a sound file,
// so that the estimator can be checked against recordings without a microphone.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/sound_files/audio_file.h"
#include "app/command_line.h"
#include "app/commands/command.h"
#include "base/level_meter.h"
#include "base/printable_text.h"
#include "pitch/mic_listener.h"
#include "pitch/note_reader.h"
#include "pitch/pitch_estimator.h"
#include "tuner/tuner_tick.h"

namespace strumwise::app {

namespace sound_files = platform::sound_files;

namespace {

constexpr std::string_view kUsage =
    "usage: strumwise estimate FILE [--octave-check]\n"
    "\n"
    "Reads FILE (any format libsndfile reads; the first channel, resampled to 14039 Hz),\n"
    "cuts it into blocks of 4096 samples, one capture buffer each, and prints one line per\n"
    "block:\n"
    "\n"
    "  INDEX START_SECONDS FREQUENCY_HZ AVERAGE_POWER\n"
    "\n"
    "FREQUENCY_HZ is the tuner's estimate for the block (0 for silence); AVERAGE_POWER is the\n"
    "block's RMS on a linear 0..1 scale. A final shorter block is estimated as it is.\n"
    "\n"
    "  --octave-check  print the estimate the tuner uses: the harmonic sum's peak moved down\n"
    "                  to the fundamental where a weak one put it on the second or third\n"
    "                  partial, in blocks that hold a note (near silence and noise are\n"
    "                  left as the harmonic sum read them)\n"
    "  --help          print this help\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "strumwise estimate: %s (see strumwise estimate --help)\n",
                 message.c_str());
    return kExitUsage;
}

int runEstimate(std::span<const std::string_view> args) {
    static constexpr AcceptedOption kAccepted[] = {{"--octave-check"}};
    CommandLine parsed;
    if (const std::string error = parseCommandLine(args, kAccepted, parsed); !error.empty()) {
        return usageError(error);
    }
    if (parsed.help) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }
    if (parsed.operands.size() > 1) {
        return usageError("expects one FILE, got '" + shownName(parsed.operands[0]) + "' and '" +
                          shownName(parsed.operands[1]) + "'");
    }
    if (parsed.operands.empty() || parsed.operands.front().empty()) {
        return usageError("missing FILE");
    }
    const std::string path(parsed.operands.front());
    const bool octaveCheck = !parsed.options.empty();

    std::string error;
    const std::shared_ptr<sound_files::SoundSource> source =
        sound_files::SoundSource::open(path, error);
    const std::unique_ptr<sound_files::AudioFileReader> reader =
        source ? sound_files::AudioFileReader::open(source, pitch::MicListener::kSampleRate, error)
               : nullptr;
    if (!reader) {
        std::fprintf(stderr, "strumwise estimate: %s\n", error.c_str());
        return kExitUsage;
    }

    // The file is read a block at a time, so a file of any length takes the same memory.
    constexpr std::size_t kBlockSamples = pitch::MicListener::kBufferBytes / 2;
    auto estimator = std::make_unique<pitch::PitchEstimator>(pitch::MicListener::kSampleRate);
    // Whether a block holds a note is judged as the tuner judges it, from the audio so far.
    auto noteReader = std::make_unique<pitch::NoteReader>(pitch::MicListener::kSampleRate);
    std::vector<std::int16_t> recent;
    std::uint64_t heard = 0;
    std::vector<std::int16_t> samples(kBlockSamples);
    for (std::size_t index = 0;; ++index) {
        const std::size_t count = reader->read(samples);
        if (count == 0) {
            break;
        }
        const std::span<const std::int16_t> block(samples.data(), count);
        const float power = measureLevel(block).averagePower;
        float frequency = estimator->getFreqFromBuffer(
            block.data(), static_cast<std::uint32_t>(block.size_bytes()));
        if (octaveCheck) {
            recent.insert(recent.end(), block.begin(), block.end());
            if (recent.size() > pitch::NoteReader::kHistorySamples) {
                recent.erase(recent.begin(), recent.end() - pitch::NoteReader::kHistorySamples);
            }
            heard += block.size();
            const bool heldNote = !noteReader->read(recent, heard).noNote();
            if (heldNote && power >= tuner::TunerTick::kSilenceBelow) {
                frequency = estimator->checkOctave();
            }
        }
        std::printf("%zu %.3f %.4f %.6f\n", index,
                    static_cast<double>(index * kBlockSamples) / pitch::MicListener::kSampleRate,
                    static_cast<double>(frequency), static_cast<double>(power));
        if (count < kBlockSamples) {
            break;
        }
    }
    if (!reader->error().empty()) {
        std::fprintf(stderr, "strumwise estimate: %s\n", reader->error().c_str());
        return kExitUsage;
    }
    if (source->truncated()) {
        std::fprintf(stderr,
                     "strumwise estimate: %s was cut short while it was read; its last block is "
                     "the last that was there\n",
                     shownName(path).c_str());
    }
    return 0;
}

}  // namespace

extern const Command kEstimateCommand{
    .name = "estimate",
    .usage = "estimate FILE [--octave-check]",
    .summary = "prints the pitch estimate of every 4096-sample block of a sound file",
    .run = &runEstimate,
};

}  // namespace strumwise::app
