#include "tuner/tuned_string_indicator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"

namespace strumwise::tuner {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TunedStringIndicatorTest : public ::testing::Test {
  protected:
    std::vector<std::string> show(std::optional<long> idiom, double height, std::int64_t string) {
        screen.device.setProfile({idiom, height});
        indicator.displayTunedString(string);
        return screen.take();
    }

    testing::HeadlessScreen screen;
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
};

TEST_F(TunedStringIndicatorTest, EachScreenFamilyHasItsPictureAndView) {
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
}

TEST_F(TunedStringIndicatorTest, UnlistedScreensAndOtherNumbersChangeNothing) {
    EXPECT_THAT(show(0, 800, 1), IsEmpty());
    EXPECT_THAT(show(0, 667.5, 1), IsEmpty());
    EXPECT_THAT(show(1, 768, 1), IsEmpty());
    EXPECT_THAT(show(2, 667, 1), IsEmpty());
    EXPECT_THAT(show(0, 667, 0), IsEmpty());
    EXPECT_THAT(show(0, 667, 6), IsEmpty());
    EXPECT_THAT(show(0, 667, std::int64_t{1} << 40), IsEmpty());
}

}  // namespace
}  // namespace strumwise::tuner
