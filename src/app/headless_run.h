#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/headless/screen_profile.h"
#include "app/headless_app.h"
#include "app/player_options.h"

namespace strumwise::app {

// The options of `strumwise headless FILE`.
struct HeadlessOptions {
    std::string file;
    // --reference, --tuning, --capo, --fifth and --string, for this run.
    PlayerOptions player;
    std::string screenText = "phone:667";
    platform::headless::ScreenProfile screen;
    std::string defaultsFile;  // empty: the defaults live in memory for the run
    std::vector<ScheduledPress> presses;
    std::string toneOut;                              // empty: the tone is rendered but not written
    std::optional<double> untilSeconds;               // default: the end of FILE plus 6 s
    platform::headless::HeadlessRatingConfig rating;  // --network, --store-review, --answer
    bool json = false;
    bool octaveCheck = true;  // --no-octave-check: off
    bool help = false;
};

extern const std::string_view kHeadlessUsage;

// Reads the arguments after `headless`. Answers one line saying what is wrong, or nothing.
std::string parseHeadlessOptions(std::span<const std::string_view> args, HeadlessOptions& options);

// Runs the application on FILE as the options say, printing the trace to `out` (whose caller
// checks that it was written) and any problem as one line to `err`. Answers the exit status: 0, 2
// for unreadable or unwritable files, 1 when the run's results could not be stored at the end.
int runHeadless(const HeadlessOptions& options, std::FILE* out, std::FILE* err);

}  // namespace strumwise::app
