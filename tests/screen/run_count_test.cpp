#include "screen/run_count.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/headless/headless_log.h"
#include "platform/headless/memory_user_defaults.h"

namespace strumwise::screen {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kDomain = "com.strumwise.tuner";
constexpr const char* kFirstRunLine =
    "Me abriste por primera vez, voy a borrar los defaults y guardar 440 en NSDictionary y como "
    "valores de a4InHz y globalFrequency";

TEST(RunCount, FirstRunErasesTheApplicationsDefaultsAndStartsAtOne) {
    platform::headless::MemoryUserDefaults defaults{std::string(kDomain)};
    defaults.setInteger(7, "kRatingPromptUseCount");
    defaults.setDouble(440.0, "a4InHz");
    platform::headless::HeadlessLog log;

    countRun(defaults, log, kDomain);

    EXPECT_THAT(log.lines(), ElementsAre(kFirstRunLine));
    EXPECT_TRUE(defaults.boolForKey("Plinmoor"));
    EXPECT_EQ(defaults.integerForKey("numberOfRuns"), 1);
    EXPECT_EQ(defaults.snapshot().size(), 2u);
    EXPECT_FALSE(defaults.value("kRatingPromptUseCount"));
    EXPECT_FALSE(defaults.value("a4InHz"));
}

TEST(RunCount, LaterRunsCountOnWithoutErasing) {
    platform::headless::MemoryUserDefaults defaults{std::string(kDomain)};
    platform::headless::HeadlessLog log;
    countRun(defaults, log, kDomain);
    defaults.setInteger(3, "kRatingPromptUseCount");

    countRun(defaults, log, kDomain);
    countRun(defaults, log, kDomain);

    EXPECT_THAT(log.lines(), ElementsAre(kFirstRunLine, "Ya se abrió antes", "Ya se abrió antes"));
    EXPECT_EQ(defaults.integerForKey("numberOfRuns"), 3);
    EXPECT_EQ(defaults.integerForKey("kRatingPromptUseCount"), 3);
}

TEST(RunCount, RunBeforeWithoutACountCountsFromZero) {
    platform::headless::MemoryUserDefaults defaults{std::string(kDomain)};
    defaults.setBool(true, "Plinmoor");
    platform::headless::HeadlessLog log;
    countRun(defaults, log, kDomain);
    EXPECT_THAT(log.lines(), ElementsAre("Ya se abrió antes"));
    EXPECT_EQ(defaults.integerForKey("numberOfRuns"), 1);
}

}  // namespace
}  // namespace strumwise::screen
