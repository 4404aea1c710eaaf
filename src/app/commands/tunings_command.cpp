// strumwise tunings: the tunings the tuner knows by name, with the notes and frequencies each
// string is tuned to at a reference pitch, capo and spike, so that a player can pick one for
// --tuning and check a tuning by ear.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "app/commands/command.h"
#include "app/player_options.h"
#include "tuner/tuning_setup.h"
#include "tuner/tuning_text.h"
#include "tuner/tunings_library.h"

namespace strumwise::app {
namespace {

constexpr std::string_view kUsage =
    "usage: strumwise tunings [--reference HZ] [--capo FRET] [--fifth FRET]\n"
    "\n"
    "Lists the tunings the tuner knows by name, the drone string first as players write\n"
    "them, with the note and frequency each string is tuned to. The first four are the ones\n"
    "the tuner's arrows step through unless the settings choose others.\n"
    "\n"
    "  --reference HZ          the pitch of A4, 415.0 to 466.0 Hz in steps of 0.1\n"
    "                          (default 440.0)\n"
    "  --capo FRET             a capo on strings 1 to 4 at fret 0 to 7\n"
    "  --fifth FRET            the fifth string stopped at its own fret 0 to 7 (fret 2 lies\n"
    "                          at the neck's 7th)\n";

// The width of the titles' column: the longest title and two spaces.
constexpr int kTitleWidth = 30;

std::string heading(const tuner::PlayerSettings& settings) {
    std::string text = "A4 = " + tuner::referenceText(settings.referenceTenths) + " Hz";
    if (settings.capoFret != 0) {
        text += ", capo at fret " + std::to_string(settings.capoFret);
    }
    if (settings.fifthStringFret != 0) {
        text += ", fifth string at the neck's fret " + std::to_string(5 + settings.fifthStringFret);
    }
    return text + "; each string drone first, as the tuner hears it:\n";
}

int runTunings(std::span<const std::string_view> args) {
    CommandLine parsed;
    std::string error = parseCommandLine(args, kPlayerOptions, parsed);
    if (error.empty() && !parsed.help) {
        error = refuseOperands(parsed, "the tunings command lists every tuning");
    }
    PlayerOptions options;
    for (const auto& [name, value] : parsed.options) {
        if (!error.empty()) {
            break;
        }
        if (name == "--tuning") {
            error = "--tuning is for the commands that tune; tunings lists them all";
        } else {
            error = readPlayerOption(name, value, options).value_or("");
        }
    }
    if (!error.empty()) {
        std::fprintf(stderr, "strumwise tunings: %s (see strumwise tunings --help)\n",
                     error.c_str());
        return kExitUsage;
    }
    if (parsed.help) {
        std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
        return 0;
    }
    tuner::TuningSetup setup;
    setup.apply(withPlayerOptions(tuner::PlayerSettings{}, options));
    std::fputs(heading(setup.settings()).c_str(), stdout);
    for (const tuner::Tuning& tuning : tuner::tuningLibrary()) {
        const std::uint64_t index = setup.showForThisRun(tuning);
        std::string line = tuner::tuningTitle(tuning.name, tuning.spelling);
        line.resize(std::max<std::size_t>(line.size() + 2, kTitleWidth), ' ');
        for (const int string : {5, 4, 3, 2, 1}) {
            const tuner::StringTarget& target = *setup.target(index, string);
            std::string cell = target.noteName + " " + target.label;
            if (string != 1) {
                cell.resize(std::max<std::size_t>(cell.size() + 2, 13), ' ');
            }
            line += cell;
        }
        std::printf("  %s\n", line.c_str());
    }
    return 0;
}

}  // namespace

extern const Command kTuningsCommand{
    .name = "tunings",
    .usage = "tunings [--reference HZ] [--capo FRET] [--fifth FRET]",
    .summary = "lists the tunings the tuner knows, with each string's note and frequency",
    .run = &runTunings,
};

}  // namespace strumwise::app
