// strumwise tone: renders the reference tone of one string of one tuning to a WAV file, exactly
// as the fork button would start playing it.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/sound_files/wav_file.h"
#include "app/command_line.h"
#include "app/commands/command.h"
#include "app/player_options.h"
#include "base/printable_text.h"
#include "tones/tone_generator.h"
#include "tones/tone_length.h"
#include "tuner/tuning_setup.h"

namespace strumwise::app {

namespace sound_files = platform::sound_files;

namespace {

constexpr std::string_view kUsage =
    "usage: strumwise tone --tuning N|NAME|NOTES --string K [--reference HZ]\n"
    "                      [--capo FRET] [--fifth FRET] [--seconds S]\n"
    "                      [--wave sine|triangle|sawtooth|square] -o OUT.wav\n"
    "\n"
    "Renders the reference tone of string K (1..5) of a tuning from the tone generator's\n"
    "initial state, as the fork button plays it: 16-bit stereo WAV at 44100 Hz.\n"
    "\n"
    "  --tuning N|NAME|NOTES   the tuning: 1..4 in the order the tuner's arrows show them,\n"
    "                          one of strumwise tunings by name (\"Open D\"), or five notes\n"
    "                          drone first (gDGBD, \"G4 D3 G3 B3 D4\")\n"
    "  --string K              strings 1..4 going down in pitch, 5 the short drone string\n"
    "  --reference HZ          the pitch of A4, 415.0 to 466.0 Hz in steps of 0.1\n"
    "                          (default 440.0)\n"
    "  --capo FRET             a capo on strings 1 to 4 at fret 0 to 7\n"
    "  --fifth FRET            the fifth string stopped at its own fret 0 to 7 (fret 2 lies\n"
    "                          at the neck's 7th)\n"
    "  --seconds S             length in seconds, more than 0 and at most 3600 (default 1.0)\n"
    "  --wave W                the wave blended half and half with the sine (default\n"
    "                          triangle); sine gives a pure sine\n"
    "  -o OUT.wav              the file to write; - writes it to standard output\n";

struct ToneOptions {
    PlayerOptions player;
    std::int64_t string = 0;
    double seconds = 1.0;
    std::uint64_t wave = tones::kWaveTriangle;
    std::string output;
    bool help = false;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "strumwise tone: %s (see strumwise tone --help)\n", message.c_str());
    return kExitUsage;
}

template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> parseWave(std::string_view name) {
    if (name == "sine") {
        return tones::kWaveSine;
    }
    if (name == "triangle") {
        return tones::kWaveTriangle;
    }
    if (name == "sawtooth") {
        return tones::kWaveSawtooth;
    }
    if (name == "square") {
        return tones::kWaveSquare;
    }
    return std::nullopt;
}

// Reads the options into `options`; answers the error message, empty when all is well.
std::string parseOptions(std::span<const std::string_view> args, ToneOptions& options) {
    static constexpr AcceptedOption kAccepted[] = {
        {"--tuning", true},    {"--string", true}, {"--seconds", true},
        {"--wave", true},      {"-o", true},       {"--output", true},
        {"--reference", true}, {"--capo", true},   {"--fifth", true}};
    CommandLine parsed;
    std::string parseError = parseCommandLine(args, kAccepted, parsed);
    options.help = parsed.help;
    if (!parseError.empty() || options.help) {
        return parseError;
    }
    if (std::string refused = refuseOperands(parsed, "the output file goes after -o");
        !refused.empty()) {
        return refused;
    }
    bool haveTuning = false;
    bool haveString = false;
    for (const auto& [name, value] : parsed.options) {
        const std::string text(value);
        if (name != "--string") {
            if (const auto playerError = readPlayerOption(name, value, options.player)) {
                if (!playerError->empty()) {
                    return *playerError;
                }
                haveTuning = haveTuning || name == "--tuning";
                continue;
            }
        }
        if (name == "--string") {
            const auto string = parseNumber<std::int64_t>(value);
            if (!string || *string < 1 || *string > tuner::kStringCount) {
                return "--string must be 1 to 5, not '" + shownName(text) + "'";
            }
            options.string = *string;
            haveString = true;
        } else if (name == "--seconds") {
            const auto seconds = parseNumber<double>(value);
            if (!seconds || !tones::isToneFileLength(*seconds)) {
                return "--seconds must be a number above 0 and at most 3600, not '" +
                       shownName(text) + "'";
            }
            options.seconds = *seconds;
        } else if (name == "--wave") {
            const auto wave = parseWave(value);
            if (!wave) {
                return "--wave must be sine, triangle, sawtooth or square, not '" +
                       shownName(text) + "'";
            }
            options.wave = *wave;
        } else {
            if (value.empty()) {
                return "-o needs a file name";
            }
            options.output = text;
        }
    }
    if (!haveTuning) {
        return "missing --tuning N";
    }
    if (!haveString) {
        return "missing --string K";
    }
    if (options.output.empty()) {
        return "missing -o OUT.wav";
    }
    return {};
}

int runTone(std::span<const std::string_view> args) {
    ToneOptions options;
    if (const std::string error = parseOptions(args, options); !error.empty()) {
        return usageError(error);
    }
    if (options.help) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }

    // The tone command keeps no settings: the four tunings at A4 = 440 Hz, and what is given.
    tuner::TuningSetup setup;
    setup.apply(withPlayerOptions(tuner::PlayerSettings{}, options.player));
    TuningChoice choice;
    if (const std::string error = chooseTuning(*options.player.tuning, setup, choice);
        !error.empty()) {
        return usageError(error);
    }
    const std::uint64_t tuning =
        choice.shown ? setup.showForThisRun(*choice.shown) : choice.arrowIndex;
    tones::ToneGenerator generator;
    generator.setCurTone(options.wave);
    generator.setToneFrequency(setup.target(tuning, options.string)->toneHertz);

    sound_files::WavFileWriter file(options.output, 44100, 2);
    if (!file.isOpen()) {
        std::fprintf(stderr, "strumwise tone: %s\n", file.error().c_str());
        return kExitUsage;
    }
    constexpr std::uint32_t kChunkFrames = 4096;
    std::vector<std::int16_t> chunk(2 * kChunkFrames);
    std::uint64_t remaining = tones::toneFrames(options.seconds, 44100.0);
    while (remaining > 0) {
        const auto frames =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(remaining, kChunkFrames));
        platform::AudioBuffer buffer{2, frames * 4, chunk.data()};
        platform::AudioBufferList list{1, &buffer};
        generator.render(frames, list);
        if (!file.write(chunk.data(), frames)) {
            break;
        }
        remaining -= frames;
    }
    if (!file.close()) {
        std::fprintf(stderr, "strumwise tone: %s\n", file.error().c_str());
        return kExitUsage;
    }
    return 0;
}

}  // namespace

extern const Command kToneCommand{
    .name = "tone",
    .usage = "tone --tuning N|NAME|NOTES --string K -o OUT",
    .summary = "renders a string's reference tone to a WAV file",
    .run = &runTone,
};

}  // namespace strumwise::app
