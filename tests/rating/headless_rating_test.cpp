// The rating prompt on the headless platform, as `strumwise headless` runs it: what the trace
// shows for each scripted network, store and answer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/headless/rating_platform.h"
#include "rating/rating_prompt.h"

namespace strumwise::platform::headless {
namespace {

const std::string kAlertLine =
    R"(alert "Rate Strumwise" "If you enjoy using Strumwise, would you mind taking a moment to )"
    R"(rate it? It won't take more than a minute. Thanks for your support!" )"
    R"(["Rate Strumwise", "Remind me later", "No, Thanks"])";

class HeadlessRating : public ::testing::Test {
  protected:
    void start(HeadlessRatingConfig config) {
        prompt.reset();
        rating.reset();
        platform.reset();
        HeadlessConfig headless;
        headless.traceWriter = [this](std::string_view line) { lines.emplace_back(line); };
        platform = std::make_unique<HeadlessPlatform>(std::move(headless));
        rating = std::make_unique<HeadlessRatingPlatform>(config, platform->runLoop(),
                                                          platform->trace());
        Services& common = platform->services();
        prompt = std::make_unique<rating::RatingPrompt>(
            rating::RatingServices{common.log, common.clock, common.runLoop, common.dispatch,
                                   common.defaults, common.device, common.application,
                                   common.bundle, nullptr, rating->alerts(), rating->store(),
                                   rating->network(), rating->views(), rating->notifications()},
            settings);
        settings.setAppId("1163842075");
        prompt->setOpenInAppStore(true);
    }

    bool traced(const std::string& line) const {
        return std::ranges::find(lines, line) != lines.end();
    }
    bool tracedContaining(std::string_view part) const {
        return std::ranges::any_of(
            lines, [part](const std::string& line) { return line.find(part) != line.npos; });
    }

    rating::RatingSettings settings;
    std::vector<std::string> lines;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<HeadlessRatingPlatform> rating;
    std::unique_ptr<rating::RatingPrompt> prompt;
};

TEST_F(HeadlessRating, NetworkDownByDefaultShowsNothing) {
    start({});
    rating::RatingPrompt::tryToShowPrompt(*prompt);
    platform->runLoop().advanceBy(secondsToMicros(2.0));

    EXPECT_FALSE(tracedContaining("alert"));
}

TEST_F(HeadlessRating, LaterIsAnsweredOneSecondAfterTheAlertAppears) {
    start({.networkUp = true, .storeReview = false, .answer = AlertAnswer::Later});
    platform->runLoop().advanceBy(secondsToMicros(0.5));
    rating::RatingPrompt::tryToShowPrompt(*prompt);
    platform->runLoop().advanceBy(secondsToMicros(1.0) - 1);
    EXPECT_TRUE(traced("0.500 " + kAlertLine));
    EXPECT_FALSE(tracedContaining("answered"));

    platform->runLoop().advanceBy(1);
    EXPECT_TRUE(traced("1.500 alert answered 2"));
    EXPECT_TRUE(tracedContaining("1.500 defaults set kRatingPromptReminderRequestDate"));
    EXPECT_FALSE(prompt->isRatingAlertVisible());
}

TEST_F(HeadlessRating, RateOpensTheReviewPage) {
    start({.networkUp = true, .storeReview = false, .answer = AlertAnswer::Rate});
    rating::RatingPrompt::tryToShowPrompt(*prompt);
    platform->runLoop().advanceBy(secondsToMicros(1.0));

    EXPECT_TRUE(traced("1.000 alert answered 1"));
    EXPECT_TRUE(traced("1.000 defaults set kRatingPromptRatedCurrentVersion 1"));
    EXPECT_TRUE(tracedContaining(R"(1.000 openURL "itms-apps://apps.apple.com/WebObjects/)"));
}

TEST_F(HeadlessRating, DeclineAndNoneAndResigningActive) {
    start({.networkUp = true, .storeReview = false, .answer = AlertAnswer::Decline});
    rating::RatingPrompt::forceShowPrompt(*prompt, false);
    platform->runLoop().advanceBy(secondsToMicros(1.0));
    EXPECT_TRUE(traced("1.000 alert answered 0"));
    EXPECT_TRUE(traced("1.000 defaults set kRatingPromptDeclinedToRate 1"));

    lines.clear();
    start({.networkUp = true, .storeReview = false, .answer = AlertAnswer::None});
    rating::RatingPrompt::tryToShowPrompt(*prompt);
    platform->runLoop().advanceBy(secondsToMicros(3.0));
    EXPECT_TRUE(traced("0.000 " + kAlertLine));
    EXPECT_FALSE(tracedContaining("answered"));
    rating->notifications().resignActive();
    EXPECT_TRUE(traced("3.000 alert hidden"));
}

TEST_F(HeadlessRating, StoreReviewReplacesTheAlert) {
    start({.networkUp = true, .storeReview = true, .answer = AlertAnswer::Rate});
    rating::RatingPrompt::tryToShowPrompt(*prompt);
    rating::RatingPrompt::tryToShowPrompt(*prompt);

    EXPECT_TRUE(traced("0.000 storeReview request"));
    EXPECT_EQ(std::ranges::count(lines, std::string("0.000 storeReview request")), 1);
    EXPECT_FALSE(tracedContaining("alert"));
}

TEST(HeadlessRatingOptions, AnswersParse) {
    EXPECT_EQ(parseAlertAnswer("decline"), AlertAnswer::Decline);
    EXPECT_EQ(parseAlertAnswer("rate"), AlertAnswer::Rate);
    EXPECT_EQ(parseAlertAnswer("later"), AlertAnswer::Later);
    EXPECT_EQ(parseAlertAnswer("none"), AlertAnswer::None);
    EXPECT_EQ(parseAlertAnswer("Later"), std::nullopt);
}

}  // namespace
}  // namespace strumwise::platform::headless
