#include "app/headless_run.h"

#include <charconv>
#include <cmath>
#include <memory>

#include "adapters/headless/ini_user_defaults.h"
#include "adapters/sound_files/audio_file.h"
#include "adapters/sound_files/wav_file.h"
#include "app/command_line.h"
#include "app/commands/command.h"
#include "app/screen_option.h"
#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "base/text_format.h"
#include "pitch/mic_listener.h"
#include "tones/tone_length.h"
#include "view/action_names.h"

namespace strumwise::app {

namespace headless = platform::headless;
namespace trace = platform::trace;
namespace sound_files = platform::sound_files;

const std::string_view kHeadlessUsage =
    "usage: strumwise headless FILE [options]\n"
    "\n"
    "Runs the tuner without a window: FILE is the microphone, time is virtual, and every\n"
    "platform call a user could observe is printed as one line of trace. The screen loads at\n"
    "0 s, the tuner ticks every 0.1 s, and block i of FILE (4096 samples at 14039 Hz) is heard\n"
    "at (i+1) x 4096 / 14039 s; after the end of FILE the microphone hears silence.\n"
    "\n"
    "  --tuning N|NAME|NOTES   show tuning N (1..4 unless the defaults keep other tunings) by\n"
    "                          pressing the next-tuning arrow at 0 s; or show a tuning by\n"
    "                          its name (\"Open D\", see strumwise tunings) or its five notes,\n"
    "                          drone first (gDGBD, \"G4 D3 G3 B3 D4\")\n"
    "  --reference HZ          the pitch of A4, 415.0 to 466.0 Hz in steps of 0.1\n"
    "                          (default 440.0, or as the defaults keep it)\n"
    "  --capo FRET             a capo on strings 1 to 4 at fret 0 to 7\n"
    "  --fifth FRET            the fifth string stopped at its own fret 0 to 7 by a spike or\n"
    "                          its capo (fret 2 lies at the neck's 7th)\n"
    "  --string K              read every note against string K (1 to 5), up to an octave\n"
    "                          each way, and light only its lamp\n"
    "                          (each of these five is for this run; a change from the default\n"
    "                          is traced as a setting line at 0 s)\n"
    "  --screen IDIOM:HEIGHT   the device: phone, pad or a number, and the screen height in\n"
    "                          points (default phone:667)\n"
    "  --defaults FILE         keep the user defaults in this INI file (created when missing)\n"
    "  --press ACTION@SECONDS  touch a control at that time, e.g. playG392Hz:@1.5;\n"
    "                          may be repeated\n"
    "  --tone-out FILE.wav     write the reference tone as played to a WAV file\n"
    "  --until SECONDS         stop at that time (default: the end of FILE plus 6 s)\n"
    "  --network up|down       whether the network is reachable (default down)\n"
    "  --store-review          the platform offers its own store review request\n"
    "  --answer decline|rate|later|none\n"
    "                          how the user answers a rating alert, 1 s after it appears\n"
    "                          (default none)\n"
    "  --json                  print the trace as JSON Lines\n"
    "  --no-octave-check       take the harmonic sum's peak as the pitch even where a weak\n"
    "                          fundamental puts it on the second or third partial\n"
    "  --help                  print this help\n";

namespace {

// Long enough for any session; keeps a mistyped time from running for ever.
constexpr double kMaxSeconds = 24.0 * 3600.0;
constexpr double kTrailingSeconds = 6.0;

std::optional<double> parseSeconds(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = readDecimal(text, value, std::chars_format::general);
    if (error != std::errc{} || end != text.data() + text.size() || !(value >= 0.0) ||
        value > kMaxSeconds) {
        return std::nullopt;
    }
    return value;
}

bool isKnownAction(std::string_view action) {
    auto in = [&](const auto& names) {
        for (const std::string_view name : names) {
            if (name == action) {
                return true;
            }
        }
        return false;
    };
    return in(view::kForkActions) || in(view::kSiblingAppActions) || action == view::kStopAction ||
           action == view::kPreviousTuningAction || action == view::kNextTuningAction ||
           action == view::kMakerSiteAction || action == view::kReviewAction;
}

std::string parsePress(std::string_view text, HeadlessOptions& options) {
    const auto at = text.rfind('@');
    if (at == std::string_view::npos) {
        return "--press takes ACTION@SECONDS, e.g. playG392Hz:@1.5, not '" + shownName(text) + "'";
    }
    const std::string_view action = text.substr(0, at);
    if (!isKnownAction(action)) {
        return "unknown action '" + shownName(action) + "' in --press";
    }
    const auto seconds = parseSeconds(text.substr(at + 1));
    if (!seconds) {
        return "--press needs a time of 0 to 86400 seconds, not '" +
               shownName(text.substr(at + 1)) + "'";
    }
    options.presses.push_back({std::string(action), headless::secondsToMicros(*seconds)});
    return {};
}

}  // namespace

std::string parseHeadlessOptions(std::span<const std::string_view> args, HeadlessOptions& options) {
    static constexpr AcceptedOption kAccepted[] = {
        {"--tuning", true},  {"--screen", true},    {"--defaults", true},
        {"--press", true},   {"--tone-out", true},  {"--until", true},
        {"--network", true}, {"--answer", true},    {"--json"},
        {"--store-review"},  {"--no-octave-check"}, {"--reference", true},
        {"--capo", true},    {"--fifth", true},     kLockOption};
    CommandLine parsed;
    std::string parseError = parseCommandLine(args, kAccepted, parsed);
    options.help = parsed.help;
    if (!parseError.empty() || options.help) {
        return parseError;
    }
    if (parsed.operands.size() > 1) {
        return "one FILE only, but got '" + shownName(parsed.operands[0]) + "' and '" +
               shownName(parsed.operands[1]) + "'";
    }
    if (!parsed.operands.empty()) {
        options.file = std::string(parsed.operands.front());
    }
    for (const auto& [name, value] : parsed.options) {
        const std::string text(value);
        if (const auto playerError = readPlayerOption(name, value, options.player)) {
            if (!playerError->empty()) {
                return *playerError;
            }
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--no-octave-check") {
            options.octaveCheck = false;
        } else if (name == "--store-review") {
            options.rating.storeReview = true;
        } else if (name == "--screen") {
            std::string error;
            const auto screen = parseScreenOption(text, error);
            if (!screen) {
                return error;
            }
            options.screen = {screen->idiom, screen->height};
            options.screenText = text;
        } else if (name == "--defaults") {
            if (text.empty()) {
                return "--defaults needs a file name";
            }
            options.defaultsFile = text;
        } else if (name == "--press") {
            if (auto error = parsePress(text, options); !error.empty()) {
                return error;
            }
        } else if (name == "--network") {
            if (text != "up" && text != "down") {
                return "--network must be up or down, not '" + shownName(text) + "'";
            }
            options.rating.networkUp = text == "up";
        } else if (name == "--answer") {
            const auto answer = headless::parseAlertAnswer(text);
            if (!answer) {
                return "--answer must be decline, rate, later or none, not '" + shownName(text) +
                       "'";
            }
            options.rating.answer = *answer;
        } else if (name == "--tone-out") {
            if (text.empty()) {
                return "--tone-out needs a file name";
            }
            options.toneOut = text;
        } else {
            const auto seconds = parseSeconds(text);
            if (!seconds) {
                return "--until needs a time of 0 to 86400 seconds, not '" + shownName(text) + "'";
            }
            options.untilSeconds = *seconds;
        }
    }
    if (options.file.empty()) {
        return "missing FILE";
    }
    return {};
}

int runHeadless(const HeadlessOptions& options, std::FILE* out, std::FILE* err) {
    auto fail = [err](const std::string& message, int status) {
        std::fprintf(err, "strumwise headless: %s\n", message.c_str());
        return status;
    };

    // The file is opened once: a pipe or FIFO is kept whole as it is read, so that it can be
    // counted and then heard. Without --until the run lasts as long as the file, which is
    // counted through first since its header may misstate its length. The file is then heard
    // block by block as the run goes, so a file of any length takes the same memory.
    std::string readError;
    const std::shared_ptr<sound_files::SoundSource> source =
        sound_files::SoundSource::open(options.file, readError);
    if (!source) {
        return fail(readError, kExitUsage);
    }
    std::optional<double> until = options.untilSeconds;
    if (!until) {
        const std::optional<std::uint64_t> fileSamples =
            sound_files::countAudioFileSamples(source, pitch::MicListener::kSampleRate, readError);
        if (!fileSamples) {
            return fail(readError, kExitUsage);
        }
        until =
            static_cast<double>(*fileSamples) / pitch::MicListener::kSampleRate + kTrailingSeconds;
    }
    std::unique_ptr<sound_files::AudioFileReader> reader =
        sound_files::AudioFileReader::open(source, pitch::MicListener::kSampleRate, readError);
    if (!reader) {
        return fail(readError, kExitUsage);
    }

    HeadlessRunConfig config;
    config.platform.screen = options.screen;
    config.platform.layoutNames = headlessLayoutNames();
    config.platform.traceFormat =
        options.json ? trace::TraceSink::Format::Json : trace::TraceSink::Format::Text;
    config.platform.traceWriter = trace::TraceSink::streamWriter(out, false);
    headless::IniUserDefaults* defaultsFile = nullptr;  // owned by the run's platform
    if (!options.defaultsFile.empty()) {
        std::string error;
        std::unique_ptr<headless::IniUserDefaults> store = headless::IniUserDefaults::open(
            options.defaultsFile, std::string(headless::HeadlessBundle::kIdentifier), error);
        if (!store) {
            return fail(error, kExitUsage);
        }
        defaultsFile = store.get();
        config.platform.defaults = std::move(store);
    }
    auto signal = std::make_shared<headless::MicrophoneSignal>();
    signal->blocks = std::make_shared<headless::ReaderBlocks>(std::move(reader));
    signal->sampleRate = pitch::MicListener::kSampleRate;
    config.microphone = std::move(signal);
    config.octaveCheck = options.octaveCheck;
    config.presses = options.presses;
    config.rating = options.rating;

    std::unique_ptr<sound_files::WavFileWriter> toneFile;
    if (!options.toneOut.empty()) {
        if (!tones::isToneFileLength(*until)) {
            // A longer recording could outgrow the sizes a WAV header can hold.
            return fail(formatText("--tone-out records a run of more than 0 and at most %.0f s, "
                                   "not %.3f s (set --until)",
                                   tones::kMaxToneFileSeconds, *until),
                        kExitUsage);
        }
        toneFile = std::make_unique<sound_files::WavFileWriter>(options.toneOut, 44100, 2);
        if (!toneFile->isOpen()) {
            return fail(toneFile->error(), kExitUsage);
        }
    }

    HeadlessApp app(std::move(config));
    if (const std::string error = app.setUpPlayer(options.player); !error.empty()) {
        return fail(error, kExitUsage);
    }
    if (toneFile) {
        app.platform().audioOutput().setFrameSink(
            [&toneFile](std::span<const std::int16_t> samples, std::uint32_t channels, double) {
                toneFile->write(samples.data(), samples.size() / channels);
            });
    }
    if (!app.launch()) {
        std::fprintf(err,
                     "strumwise headless: no layout for the screen %s; running without a "
                     "screen\n",
                     options.screenText.c_str());
    }
    app.runUntil(headless::secondsToMicros(*until));
    if (source->truncated()) {
        std::fprintf(err,
                     "strumwise headless: %s was cut short while it was read; the tuner heard "
                     "silence for the rest of it\n",
                     shownName(options.file).c_str());
    }

    int status = 0;
    if (!app.finish()) {
        const std::string why = defaultsFile != nullptr ? defaultsFile->writeError() : "";
        status = fail(
            why.empty() ? "could not store the user defaults in " + shownName(options.defaultsFile)
                        : why,
            1);
    }
    if (toneFile && !toneFile->close()) {
        status = fail(toneFile->error(), 1);
    }
    return status;
}

}  // namespace strumwise::app
