// The tuner's parts of the main screen on a headless phone: the tick, the tuned-string picture,
// the tuning browser, the pictures they install and the latches of tuned strings.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>
#include <set>

#include "support/headless_screen.h"
#include "tuner/custom_tunings.h"
#include "tuner/frequency_text.h"
#include "tuner/screen_pictures.h"
#include "tuner/tuned_string_indicator.h"
#include "tuner/tuned_strings.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_browser.h"

namespace strumwise::tuner {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TunerScreenTest : public ::testing::Test {
  protected:
    // One tick at this level and pitch, and this note reading if given (else a note at that
    // pitch); answers its writes, after the two reads every tick starts with.
    std::vector<std::string> writesAt(float power, float hertz,
                                      std::optional<pitch::NoteReading> reading = {}) {
        screen.take();
        screen.microphone.set(power, hertz);
        if (reading) {
            screen.microphone.setReading(*reading);
        }
        tick.tickFree();
        auto lines = screen.take();
        EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 2),
                    ElementsAre("microphone averagePower", "microphone frequency"));
        return {lines.begin() + 2, lines.end()};
    }
    std::vector<std::string> show(std::optional<long> idiom, double height, std::int64_t string) {
        screen.device.setProfile({idiom, height});
        indicator.displayTunedString(string);
        return screen.take();
    }
    std::string chartOn(std::optional<long> idiom, double height, std::uint64_t tuning) {
        screen.device.setProfile({idiom, height});
        state.tuningIndex = tuning;
        browser.displayTunings();
        return screen.image("chartDisplay").value_or("none");
    }

    // The screen's hooks, delegating as the controller does; the string shown and the sounds
    // asked for are recorded too.
    struct Hooks final : view::ScreenHooks {
        TunerScreenTest* test = nullptr;
        std::vector<std::string> calls;
        void displayNoStrings() override { test->tick.displayNoStrings(); }
        void displayTunedString(std::int64_t string) override {
            calls.push_back("displayTunedString " + std::to_string(string));
            test->indicator.displayTunedString(string);
        }
        void displayNotes() override { test->browser.displayNotes(); }
        void play1stSoundOnce() override { calls.emplace_back("play1stSoundOnce"); }
        void play2ndSoundOnce() override { calls.emplace_back("play2ndSoundOnce"); }
        void play3rdSoundOnce() override { calls.emplace_back("play3rdSoundOnce"); }
        void play4thSoundOnce() override { calls.emplace_back("play4thSoundOnce"); }
        void play5thSoundOnce() override { calls.emplace_back("play5thSoundOnce"); }
    };

    testing::HeadlessScreen screen;  // a 667-point phone
    TunerState state;
    Hooks hooks;
    TunerTick tick{screen.outlets, screen.microphone, state, hooks, screen.services.images};
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
    TuningBrowser browser{
        screen.outlets,        state, hooks, screen.device, screen.services.images,
        screen.services.bundle};
    void SetUp() override { hooks.test = this; }
};
using TunerTickTest = TunerScreenTest;
using TunedStringIndicatorTest = TunerScreenTest;
using TuningBrowserTest = TunerScreenTest;
using ScreenPicturesTest = TunerScreenTest;
using TunedStringsTest = TunerScreenTest;

TEST_F(TunerTickTest, EachStringsMatchShowsItAndRunsItsOwnHook) {
    const std::pair<float, std::vector<std::string>> strings[] = {
        {293.5f, {"displayTunedString 1", "play1stSoundOnce"}},
        {246.8f, {"displayTunedString 2", "play2ndSoundOnce"}},
        {196.0f, {"displayTunedString 3", "play3rdSoundOnce"}},
        {146.9f, {"displayTunedString 4", "play4thSoundOnce"}},
        {392.1f, {"displayTunedString 5", "play5thSoundOnce"}}};
    for (const auto& [hertz, calls] : strings) {
        hooks.calls.clear();
        writesAt(0.01f, hertz);
        EXPECT_EQ(hooks.calls, calls) << hertz;
    }
    // The match lights the lamps and shows the string's reference label, not the measurement.
    EXPECT_EQ(screen.text("freq_label"), "392Hz");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
}

TEST_F(TunerTickTest, QuietTicksShowSilenceAndTheDeadBandChangesNothing) {
    writesAt(0.01f, 293.5f);
    // The level is a float: 0.002f and 0.0045f are as close as a meter gets to the thresholds,
    // and the next float out falls on the other side.
    EXPECT_THAT(writesAt(0.002f, 293.5f), IsEmpty());
    EXPECT_THAT(writesAt(0.0045f, 300.0f), IsEmpty());
    EXPECT_THAT(writesAt(std::nextafter(0.0045f, 1.0f), 300.0f),
                ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_THAT(
        writesAt(std::nextafter(0.002f, 0.0f), 293.5f),
        ElementsAre("freq_label text \"\"", "noteDisplay text \"\"", "tunedString hidden 1",
                    "tunedString5 hidden 1", "tunedStringiPad hidden 1",
                    "LEDDisplay image \"yellow64.png\"", "LEDDisplay128 image \"yellow128.png\""));
}

TEST_F(TunerTickTest, LoudUnmatchedTickOnlyRewritesFrequencyThenAsksForReview) {
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    // No block yet: 0 Hz, and nothing heard to agree with.
    EXPECT_THAT(writesAt(0.01f, 0.0f), ElementsAre("freq_label text \"0.0Hz\""));
    writesAt(0.01f, 196.0f);  // string 3
    EXPECT_THAT(writesAt(0.01f, 300.0f), ElementsAre("freq_label text \"300.0Hz\""));
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.image("LEDDisplay"), "green64.png");
    EXPECT_EQ(unmatched, 2);
    writesAt(0.003f, 300.0f);
    writesAt(0.001f, 300.0f);
    EXPECT_EQ(unmatched, 2);
}

TEST_F(TunerTickTest, WhereTheNoteReadingContradictsTheEstimateTheReadingDecides) {
    using Verdict = pitch::NoteReading::Verdict;
    int unmatched = 0;
    tick.setUnmatchedLoudTickHandler([&] { ++unmatched; });
    const auto tickWith = [&](float estimate, pitch::NoteReading reading) {
        return writesAt(0.01f, estimate, reading);
    };
    // Unsure (a pluck's first moments): the estimate lights its string, as it always has.
    tickWith(293.5f, {});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    // Noise, whose estimate happens to fall in the B3 window: no string, the unmatched path.
    tickWith(246.9f, {Verdict::NoNote, 0.0});
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
    EXPECT_EQ(screen.text("freq_label"), "246.9Hz");
    EXPECT_EQ(unmatched, 1);
    // A G3 in tune whose estimate's bin fell just outside its window: lit all the same.
    tickWith(195.4f, {Verdict::Note, 196.1});
    EXPECT_EQ(screen.text("noteDisplay"), "G3");
    EXPECT_EQ(screen.text("freq_label"), "196Hz");
    writesAt(0.001f, 0.0f);
    // The estimate in the G4 window, the reading a D4 in tune: the D4, never the G4.
    tickWith(392.0f, {Verdict::Note, 293.7});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    // A reading 2 cents past the D4 window's edge, within the estimate's rounding of it: the
    // estimate's D4 stays lit; 12 cents past it, it is not lit, and the label follows the
    // reading rather than contradict the meter.
    tickWith(294.3f, {Verdict::Note, 294.514 * std::exp2(2.0 / 1200.0)});
    EXPECT_EQ(screen.text("noteDisplay"), "D4");
    writesAt(0.001f, 0.0f);
    EXPECT_THAT(tickWith(294.3f, {Verdict::Note, 294.514 * std::exp2(12.0 / 1200.0)}),
                ElementsAre("freq_label text \"296.6Hz\""));
    EXPECT_EQ(screen.image("LEDDisplay"), "yellow64.png");
    // A label within the estimate's rounding of the reading keeps the estimate's own text.
    EXPECT_THAT(tickWith(300.0f, {Verdict::Note, 300.2}),
                ElementsAre("freq_label text \"300.0Hz\""));
    // The label is judged as the player reads it: an estimate 3.5 cents above a reading of
    // 300.06 Hz is within that rounding, but its label, "300.7Hz", would be 3.7 cents above.
    EXPECT_THAT(tickWith(300.66f, {Verdict::Note, 300.06}),
                ElementsAre("freq_label text \"300.1Hz\""));
}

TEST_F(TunerTickTest, UnknownTuningStillEstimatesButDrawsNothing) {
    for (const std::uint64_t tuning : {0, 5}) {
        state.tuningIndex = tuning;
        EXPECT_THAT(writesAt(0.0f, 0.0f), IsEmpty());
        EXPECT_THAT(writesAt(0.01f, 293.5f), IsEmpty());
    }
}

TEST_F(TunedStringIndicatorTest, EachScreenFamilyHasItsPictureAndViewAndOthersChangeNothing) {
    EXPECT_THAT(show(0, 480, 3), ElementsAre("tunedString image \"3rd_string.png\""));
    EXPECT_THAT(show(0, 568, 1), ElementsAre("tunedString5 image \"1st_string_5.png\""));
    EXPECT_THAT(show(std::nullopt, 568, 1), ElementsAre("tunedString5 image \"1st_string_5.png\""));
    EXPECT_THAT(show(0, 667, 4), ElementsAre("tunedString5 image \"4th_string_6.png\""));
    for (const double height : {736, 812, 844, 852, 874, 896, 926, 932, 956}) {
        EXPECT_THAT(show(0, height, 5), ElementsAre("tunedString5 image \"5th_string_6plus.png\""));
    }
    EXPECT_THAT(show(1, 1024, 2), ElementsAre("tunedStringiPad image \"2nd_string_iPad.png\""));
    for (const double height : {1080, 1112, 1133, 1180, 1194, 1210, 1366, 1376}) {
        EXPECT_THAT(show(1, height, 2),
                    ElementsAre("tunedStringiPad image \"2nd_string_iPad_Pro.png\""));
    }
    // Unlisted screens, and numbers that are no string.
    const std::tuple<std::optional<long>, double, std::int64_t> unchanged[] = {
        {0, 800, 1},
        {0, 667.5, 1},
        {1, 768, 1},
        {2, 667, 1},
        {0, 667, 0},
        {0, 667, 6},
        {0, 667, std::int64_t{1} << 40}};
    for (const auto& [idiom, height, string] : unchanged) {
        EXPECT_THAT(show(idiom, height, string), IsEmpty()) << height << " " << string;
    }
}

TEST_F(TuningBrowserTest, ArrowsStepThroughTheFourTuningsAndHideAtTheEnds) {
    browser.displayTunings();
    EXPECT_TRUE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle"));
    // The first title's key carries no digit.
    EXPECT_NE(screen.localized("TuningFreeTitle"), "TuningFreeTitle");
    browser.showNextTuning();
    EXPECT_FALSE(screen.buttonHidden("showPreviousTuningButton"));
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle2"));
    browser.showNextTuning();
    browser.showNextTuning();
    EXPECT_TRUE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(screen.text("fourthString"), "D3");

    // A hidden arrow's action can still arrive by name; the tuning stays within 1..4.
    browser.showNextTuning();
    EXPECT_EQ(state.tuningIndex, 4u);
    state.tuningIndex = 1;
    browser.showPreviousTuning();
    EXPECT_EQ(state.tuningIndex, 1u);
}

TEST_F(TuningBrowserTest, TallerPhonesAndTabletsShowTheTabletCharts) {
    EXPECT_EQ(chartOn(0, 667, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(0, 736, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(std::nullopt, 667, 1), "chartipad.png");
    EXPECT_EQ(chartOn(0, 568, 2), "chartiphone2.png");
    EXPECT_EQ(chartOn(0, 667.01, 3), "chartiphone3.png");
    EXPECT_EQ(chartOn(0, 800, 4), "chartiphone4.png");
    EXPECT_EQ(chartOn(1, 1024, 2), "chartipad2.png");
    EXPECT_EQ(chartOn(1, 768, 4), "chartipad4.png");
}

TEST_F(TuningBrowserTest, OnlyTheAboutTextsForAnUnknownTuningOrIdiom) {
    const auto aboutOnly = ElementsAre(
        "aboutCongratsMessage text \"" + screen.localized("TunerAboutCongratsMessage") + "\"",
        "aboutMsg2 text \"" + screen.localized("TunerAboutMsg2") + "\"");
    const std::tuple<std::optional<long>, double, std::uint64_t> unknown[] = {
        {0, 667, 0}, {0, 667, 5}, {2, 1024, 1}};
    for (const auto& [idiom, height, tuning] : unknown) {
        chartOn(idiom, height, tuning);
        EXPECT_THAT(screen.take(), aboutOnly) << tuning;
    }
}

// Any tuning the player browses is shown with its title, its sounding notes and a drawn chart,
// and the capo and spike are named after the title wherever it shows.
TEST_F(TuningBrowserTest, ShowsAnyTuningWithItsTitleCapoAndDrawnChart) {
    PlayerSettings settings = addCustomTuning({}, "Mine", "f#DGBD").settings;
    settings.browsedTunings = {"Open G", "Open D", "Mine"};
    settings.capoFret = 2;
    settings.fifthStringFret = 2;
    state.setup.apply(settings);
    EXPECT_EQ(chartOn(1, 1024, 1), "chartipad_A4_E3_A3_C#4_E4.png");
    EXPECT_EQ(screen.text("currentTuningName"), "Open G (gDGBD), capo 2, 5th at 7");
    EXPECT_EQ(screen.text("firstString"), "E4");
    EXPECT_EQ(screen.text("fifthString"), "A4");
    browser.showNextTuning();
    EXPECT_EQ(screen.text("currentTuningName"), "Open D (f#DF#AD), capo 2, 5th at 7");
    EXPECT_FALSE(screen.buttonHidden("showNextTuningButton"));
    browser.showNextTuning();
    EXPECT_EQ(screen.text("currentTuningName"), "Mine, capo 2, 5th at 7");
    EXPECT_TRUE(screen.buttonHidden("showNextTuningButton"));
    EXPECT_EQ(chartOn(0, 568, 3), "chartiphone_G#4_E3_A3_C#4_E4.png");

    // Without the capo and spike, the four keep their charts and titles; the others are drawn.
    settings.capoFret = 0;
    settings.fifthStringFret = 0;
    state.setup.apply(settings);
    EXPECT_EQ(chartOn(1, 1024, 1), "chartipad.png");
    EXPECT_EQ(screen.text("currentTuningName"), screen.localized("TuningFreeTitle"));
    EXPECT_EQ(chartOn(1, 1024, 2), "chartipad_F#4_D3_F#3_A3_D4.png");
    EXPECT_EQ(screen.text("currentTuningName"), "Open D (f#DF#AD)");
    EXPECT_NE(screen.services.images.imageNamed("chartipad_F#4_D3_F#3_A3_D4.png"), nullptr);
}

// The pictures the screen's components really install on a device, each string lit and each
// tuning shown in turn, are what a platform that fetches pictures ahead must have fetched.
TEST_F(ScreenPicturesTest, EveryListedScreenNamesExactlyThePicturesItsScreenShows) {
    const auto picturesShown = [&] {
        screen.take();
        std::set<std::string> shown;
        // Every picture written, but of the charts only the last of each redraw: the others are
        // covered before the screen is seen.
        const auto keepWritten = [&](bool lastChartOnly) {
            std::optional<std::string> chart;
            const std::regex image(R"((\w+) image "([^"]+)\")");
            for (const std::string& line : screen.take()) {
                std::smatch match;
                if (!std::regex_search(line, match, image)) {
                    continue;
                }
                if (match[1] == "chartDisplay" && lastChartOnly) {
                    chart = match[2];
                } else {
                    shown.insert(match[2]);
                }
            }
            if (chart) {
                shown.insert(*chart);
            }
        };
        tick.displayNoStrings();
        for (std::uint64_t tuning = 1; tuning <= 4; ++tuning) {
            state.tuningIndex = tuning;
            keepWritten(false);
            browser.displayTunings();
            keepWritten(true);
            for (const float hertz : {293.66f, 246.94f, 196.0f, 146.83f, 392.0f}) {
                screen.microphone.set(0.01f, hertz);
                tick.tickFree();
            }
        }
        keepWritten(false);
        state.tuningIndex = 1;
        return shown;
    };
    const std::pair<std::optional<long>, double> devices[] = {
        {0, 480}, {0, 568},  {std::nullopt, 568}, {0, 667},  {0, 736}, {0, 844},
        {0, 956}, {1, 1024}, {1, 1180},           {1, 1366}, {0, 800}, {2, 1024}};
    for (const auto& [idiom, height] : devices) {
        screen.device.setProfile({idiom, height});
        const std::vector<std::string> listed = screenPictures(screen.device);
        EXPECT_THAT(listed, ::testing::UnorderedElementsAreArray(picturesShown()))
            << "idiom " << idiom.value_or(-1) << ", height " << height;
        // Each once: a platform fetches every one of them.
        EXPECT_EQ(std::set(listed.begin(), listed.end()).size(), listed.size());
    }
}

TEST_F(TunedStringsTest, EachLatchArmsOneResetAndTheFirstResetClearsThemAll) {
    TunedStrings strings{state, screen.runLoop};

    strings.confirm(1);
    screen.advance(2.0);
    strings.confirm(4);
    strings.confirm(4);
    strings.confirm(1);
    EXPECT_EQ(screen.runLoop.pendingCount(), 2u);

    screen.advance(2.999999);
    EXPECT_TRUE(state.confirmationLatches[0]);
    screen.advance(0.000001);  // the reset armed at 0 s clears string 4's latch too
    EXPECT_EQ(state.confirmationLatches, (std::array<bool, kStringCount>{}));
    strings.confirm(4);
    EXPECT_EQ(screen.runLoop.pendingCount(), 2u);

    for (const int string : {2, 3, 5, 0, 6}) {
        strings.confirm(string);
    }
    screen.advance(10.0);
    EXPECT_TRUE(state.allStringsTuned());  // resets leave the tuned flags alone
}

// Digit for digit what "%.1fHz" gives, halfway cases included, for every frequency the
// estimator can report.
TEST(FrequencyText, AgreesWithPrintfOnEveryEstimatorBin) {
    for (int bin = 0; bin < 16384; ++bin) {
        const double hz = static_cast<float>(14039.0 * bin / 32768.0);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.1fHz", hz);
        ASSERT_EQ(frequencyText(hz), expected) << bin;
    }
}

}  // namespace
}  // namespace strumwise::tuner
