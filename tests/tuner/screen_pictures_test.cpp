#include "tuner/screen_pictures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "support/headless_screen.h"
#include "tuner/tuned_string_indicator.h"
#include "tuner/tuner_tick.h"
#include "tuner/tuning_browser.h"

namespace strumwise::tuner {
namespace {

using ::testing::UnorderedElementsAreArray;

// The pictures the screen's components really install on a device, each string lit and each
// tuning shown in turn: what a platform that fetches pictures ahead must have fetched.
class ScreenPicturesTest : public ::testing::Test {
  protected:
    std::set<std::string> picturesShownOn(std::optional<long> idiom, double height) {
        screen.device.setProfile({idiom, height});
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
    }

    struct Hooks final : view::ScreenHooks {
        TunerTick* tick = nullptr;
        TunedStringIndicator* indicator = nullptr;
        TuningBrowser* browser = nullptr;
        void displayNoStrings() override { tick->displayNoStrings(); }
        void displayTunedString(std::int64_t string) override {
            indicator->displayTunedString(string);
        }
        void displayNotes() override { browser->displayNotes(); }
    };

    testing::HeadlessScreen screen;
    TunerState state;
    Hooks hooks;
    TunerTick tick{screen.outlets, screen.microphone, state, hooks, screen.services.images};
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
    TuningBrowser browser{
        screen.outlets,        state, hooks, screen.device, screen.services.images,
        screen.services.bundle};
    void SetUp() override {
        hooks.tick = &tick;
        hooks.indicator = &indicator;
        hooks.browser = &browser;
    }
};

TEST_F(ScreenPicturesTest, EveryListedScreenNamesExactlyThePicturesItsScreenShows) {
    const std::pair<std::optional<long>, double> devices[] = {
        {0, 480}, {0, 568},  {std::nullopt, 568}, {0, 667},  {0, 736}, {0, 844},
        {0, 956}, {1, 1024}, {1, 1180},           {1, 1366}, {0, 800}, {2, 1024}};
    for (const auto& [idiom, height] : devices) {
        screen.device.setProfile({idiom, height});
        const std::vector<std::string> listed = screenPictures(screen.device);
        EXPECT_THAT(listed, UnorderedElementsAreArray(picturesShownOn(idiom, height)))
            << "idiom " << idiom.value_or(-1) << ", height " << height;
        // Each once: a platform fetches every one of them.
        EXPECT_EQ(std::set(listed.begin(), listed.end()).size(), listed.size());
    }
}

}  // namespace
}  // namespace strumwise::tuner
