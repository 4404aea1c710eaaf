// The whole headless tuner on sounds that sox renders at test time (scripts/setup.sh installs
// it): the screen shows one reading of a string whose partials are not harmonic, and noise after
// a pluck lights no other string.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_run.h"
#include "support/scratch_folder.h"

namespace strumwise::app {
namespace {

// What the screen showed after each tick, read back from the trace.
struct Tick {
    std::string lit;    // the note lit green, "" while the lamp is not green
    std::string meter;  // the tuning meter's value
    std::string label;  // the Hz label written on this tick, "" when none
};

class OneReadingRunTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder_.file(name); }

    std::map<double, Tick> run(const std::string& file, int tuning) {
        HeadlessOptions options;
        const std::string tuningText = std::to_string(tuning);
        std::vector<std::string_view> args{file, "--tuning", tuningText};
        EXPECT_EQ(parseHeadlessOptions(args, options), "");
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(runHeadless(options, out, err), 0);
        std::rewind(out);
        std::string trace;
        for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out)) {
            trace += static_cast<char>(c);
        }
        std::fclose(out);
        std::fclose(err);
        std::map<double, Tick> ticks;
        Tick state;
        std::string note;
        double time = 0.0;
        std::istringstream lines(trace);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            double at = 0.0;
            std::string target;
            std::string op;
            fields >> at >> target >> op;
            std::string value;
            std::getline(fields, value);
            if (value.size() >= 3) {
                value = value.substr(2, value.size() - 3);  // ' "text"' to 'text'
            }
            if (at > time) {
                ticks[time] = state;
                time = at;
                state.label.clear();
            }
            if (target == "noteDisplay") {
                note = value;
            } else if (target == "LEDDisplay") {
                state.lit = value == "green64.png" ? note : "";
            } else if (target == "tuningMeter") {
                state.meter = value;
            } else if (target == "freq_label") {
                state.label = value;
            }
        }
        ticks[time] = state;
        return ticks;
    }

  private:
    testing::ScratchFolder folder_{"one-reading"};
};

double centsOf(const std::string& meter) {
    return std::stod(meter.substr(meter.rfind(' ') + 1));
}

TEST_F(OneReadingRunTest, AStringWhosePartialsAreStretchedShowsOnePitchEverywhere) {
    // A G3 whose first two partials lie 14 cents flat and its third and fourth 3 cents sharp, as
    // a sampled banjo's can: the pitch they agree on (the fit of a harmonic series, each partial
    // weighted by its power) is in tune, and so lamp, meter and label say; 14 cents higher it
    // is sharp, and none of them says otherwise.
    const double amplitudes[] = {0.3, 0.2, 0.25, 0.2};
    const double offsets[] = {-14.0, -14.0, 3.0, 3.0};
    double weighted = 0.0;
    double weights = 0.0;
    for (int m = 1; m <= 4; ++m) {
        const double power = amplitudes[m - 1] * amplitudes[m - 1];
        weighted += power * m * m * offsets[m - 1];
        weights += power * m * m;
    }
    const double agreed = weighted / weights;  // in cents from G3, to within a tenth of a cent
    ASSERT_LT(std::abs(agreed), 1.0);
    for (const double shift : {0.0, 14.0}) {
        SCOPED_TRACE(shift);
        std::string mix = "-m";
        for (int m = 1; m <= 4; ++m) {
            const double hertz = m * 196.0 * std::exp2((offsets[m - 1] + shift) / 1200.0);
            const std::string partial = path("partial" + std::to_string(m) + ".wav");
            testing::sox("-n -r 14039 -b 16 -c 1 '" + partial + "' synth 2.5 sine " +
                         std::to_string(hertz) + " vol " + std::to_string(amplitudes[m - 1]) +
                         " fade q 0.005 2.5 2");
            mix += " '" + partial + "'";
        }
        const std::string g3 = path("g3.wav");
        testing::sox(mix + " '" + g3 + "'");
        const auto ticks = run(g3, 1);
        bool lit = false;
        int shown = 0;
        for (const auto& [time, tick] : ticks) {
            if (tick.meter.empty() || tick.meter.front() != '3') {
                continue;
            }
            ++shown;
            const double cents = centsOf(tick.meter);
            EXPECT_NEAR(cents, agreed + shift, 1.0) << time;
            // The lamp is green for G3 exactly while the meter reads it in its window.
            EXPECT_EQ(tick.lit == "G3", std::abs(cents) <= 5.0) << time;
            lit = lit || tick.lit == "G3";
            // A measured label agrees with the meter, to the estimate's own rounding.
            if (!tick.label.empty() && tick.label != "196Hz") {
                const double label = std::stod(tick.label);
                EXPECT_NEAR(1200.0 * std::log2(label / 196.0), cents, 4.5) << time;
            }
        }
        EXPECT_GE(shown, 15);
        EXPECT_EQ(lit, shift == 0.0);
    }
}

TEST_F(OneReadingRunTest, NoiseAfterAPluckLightsNoOtherString) {
    // A G4 pluck of a second, then white noise alone for seven more, loud enough to be
    // measured: the harmonic sum of some noise blocks falls in the D4 window, but noise is no
    // note, and only the G4 is ever lit.
    const std::string pluck = path("pluck.wav");
    const std::string noise = path("noise.wav");
    const std::string heard = path("heard.wav");
    testing::sox("-n -r 14039 -b 16 -c 1 '" + pluck + "' synth 1 pluck 392 vol 0.5 pad 0 7");
    testing::sox("-n -r 14039 -b 16 -c 1 '" + noise + "' synth 8 whitenoise vol 0.03");
    testing::sox("-m '" + pluck + "' '" + noise + "' '" + heard + "'");
    bool litG4 = false;
    for (const auto& [time, tick] : run(heard, 1)) {
        EXPECT_TRUE(tick.lit.empty() || tick.lit == "G4") << time << " " << tick.lit;
        litG4 = litG4 || tick.lit == "G4";
    }
    EXPECT_TRUE(litG4);
}

}  // namespace
}  // namespace strumwise::app
