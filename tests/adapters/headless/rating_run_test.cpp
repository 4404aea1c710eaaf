#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adapters/headless/memory_user_defaults.h"
#include "adapters/headless/screen_profile.h"
#include "adapters/headless/virtual_clock.h"
#include "app/headless_app.h"
#include "support/test_signals.h"

namespace strumwise::app {
namespace {

namespace headless = platform::headless;

// A player who has run the tuner five times before tunes all five strings of open G, then
// strums something that is no string: once every string has been in tune, that loud unmatched
// sound asks for a review four seconds later.
class RatingRun : public ::testing::Test {
  protected:
    // `usedForDays` > 0: the prompt has counted enough uses over that many days to ask at launch.
    void run(headless::HeadlessRatingConfig rating, double phoneHeight = 667.0,
             double usedForDays = 0.0) {
        app_.reset();
        HeadlessRunConfig config;
        config.platform.screen = {.idiom = 0, .height = phoneHeight};
        config.platform.layoutNames = headlessLayoutNames();
        config.platform.traceWriter = [this](std::string_view line) { lines.emplace_back(line); };
        auto store = std::make_unique<headless::MemoryUserDefaults>("com.strumwise.tuner");
        store->setBool(true, "Plinmoor");
        store->setInteger(5, "numberOfRuns");
        if (usedForDays > 0.0) {
            store->setDouble(headless::VirtualClock::kDefaultEpoch - usedForDays * 86400.0,
                             "kRatingPromptFirstUseDate");
            store->setInteger(5, "kRatingPromptUseCount");
        }
        store_ = store.get();
        config.platform.defaults = std::move(store);

        auto signal = std::make_shared<headless::MicrophoneSignal>();
        for (const double hertz : {293.66, 246.94, 196.00, 146.83, 392.00, 350.0}) {
            const auto pluck = testing::pluckedString(hertz, 1.5);
            signal->samples.insert(signal->samples.end(), pluck.begin(), pluck.end());
        }
        config.microphone = std::move(signal);
        config.rating = rating;
        app_ = std::make_unique<HeadlessApp>(std::move(config));
        app_->launch();
        app_->runUntil(16'000'000);
    }

    // The time of the first trace line that ends with `event`, or -1.
    double firstTime(const std::string& event) const {
        for (const auto& line : lines) {
            if (line.size() > event.size() && line.ends_with(event)) {
                return std::stod(line.substr(0, line.find(' ')));
            }
        }
        return -1.0;
    }
    int count(const std::string& part) const {
        return static_cast<int>(std::ranges::count_if(
            lines, [&](const std::string& line) { return line.find(part) != line.npos; }));
    }

    std::vector<std::string> lines;
    headless::MemoryUserDefaults* store_ = nullptr;
    std::unique_ptr<HeadlessApp> app_;
};

TEST_F(RatingRun, DeclinedAlertFollowsTheFirstUnmatchedTickAndIsNeverShownAgain) {
    run({.networkUp = true, .storeReview = false, .answer = headless::AlertAnswer::Decline});

    ASSERT_TRUE(app_->tunerState().allStringsTuned());
    const double firstRequest = firstTime("perform promptToReview after 4.000");
    const double alertShown =
        firstTime("\" [\"Rate Strumwise\", \"Remind me later\", \"No, Thanks\"]");
    ASSERT_GT(firstRequest, 7.0);
    EXPECT_NEAR(alertShown, firstRequest + 4.0, 1e-9);
    EXPECT_NEAR(firstTime("alert answered 0"), alertShown + 1.0, 1e-9);
    EXPECT_TRUE(store_->boolForKey("kRatingPromptDeclinedToRate"));
    // Every later request finds the prompt declined and shows nothing.
    EXPECT_GT(count("run promptToReview"), 1);
    EXPECT_EQ(count(" alert \""), 1);
    EXPECT_EQ(store_->integerForKey("numberOfRuns"), 6);
}

TEST_F(RatingRun, TheLaunchPromptNeedsAWindowToAppearOver) {
    for (const auto& [height, alerts] : {std::pair{667.0, 1}, {800.0, 0}}) {
        lines.clear();
        run({.networkUp = true, .storeReview = false, .answer = headless::AlertAnswer::None},
            height, 3.0);
        EXPECT_EQ(count(" alert \""), alerts) << "phone:" << height;
        EXPECT_EQ(store_->integerForKey("kRatingPromptUseCount"), 6) << "counted all the same";
    }
}

TEST_F(RatingRun, ThePlatformsOwnReviewRequestMarksTheVersionRatedAtOnce) {
    run({.networkUp = true, .storeReview = true, .answer = headless::AlertAnswer::None});
    EXPECT_EQ(count("storeReview request"), 1);
    EXPECT_EQ(count(" alert \""), 0);
    EXPECT_TRUE(store_->boolForKey("kRatingPromptRatedCurrentVersion"));
}

}  // namespace
}  // namespace strumwise::app
