#include "tuner/tuned_string_indicator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/headless_screen.h"

namespace strumwise::tuner {
namespace {

using platform::headless::ScreenProfile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr long kPhone = 0;
constexpr long kPad = 1;

class TunedStringIndicatorTest : public ::testing::Test {
  protected:
    // Shows `string` on a device with this profile; answers the writes.
    std::vector<std::string> show(ScreenProfile profile, std::int64_t string) {
        screen.device.setProfile(profile);
        screen.journal.take();
        indicator.displayTunedString(string);
        return screen.journal.take();
    }

    testing::HeadlessScreen screen;
    TunedStringIndicator indicator{screen.outlets, screen.device, screen.services.images};
};

TEST_F(TunedStringIndicatorTest, EachPhoneFamilyHasItsPicturesAndView) {
    EXPECT_THAT(show({kPhone, 480}, 3), ElementsAre("tunedString image \"3rd_string.png\""));
    EXPECT_THAT(show({kPhone, 568}, 1), ElementsAre("tunedString5 image \"1st_string_5.png\""));
    EXPECT_THAT(show({kPhone, 667}, 4), ElementsAre("tunedString5 image \"4th_string_6.png\""));
    for (const double height : {736, 812, 844, 852, 874, 896, 926, 932, 956}) {
        EXPECT_THAT(show({kPhone, height}, 5),
                    ElementsAre("tunedString5 image \"5th_string_6plus.png\""))
            << height;
    }
}

TEST_F(TunedStringIndicatorTest, EachTabletFamilyHasItsPicturesAndView) {
    EXPECT_THAT(show({kPad, 1024}, 2),
                ElementsAre("tunedStringiPad image \"2nd_string_iPad.png\""));
    for (const double height : {1080, 1112, 1133, 1180, 1194, 1210, 1366, 1376}) {
        EXPECT_THAT(show({kPad, height}, 2),
                    ElementsAre("tunedStringiPad image \"2nd_string_iPad_Pro.png\""))
            << height;
    }
}

TEST_F(TunedStringIndicatorTest, DeviceWithoutIdiomIsAPhone) {
    EXPECT_THAT(show({std::nullopt, 568}, 1),
                ElementsAre("tunedString5 image \"1st_string_5.png\""));
}

TEST_F(TunedStringIndicatorTest, UnlistedScreensAndOtherNumbersChangeNothing) {
    for (const std::int64_t string : {std::int64_t{1}, std::int64_t{5}}) {
        EXPECT_THAT(show({kPhone, 800}, string), IsEmpty());
        EXPECT_THAT(show({kPhone, 667.5}, string), IsEmpty());
        EXPECT_THAT(show({kPad, 768}, string), IsEmpty());
        EXPECT_THAT(show({2, 667}, string), IsEmpty());
    }
    for (const std::int64_t string :
         {std::int64_t{0}, std::int64_t{6}, std::int64_t{-1}, std::int64_t{1} << 40}) {
        EXPECT_THAT(show({kPhone, 667}, string), IsEmpty());
    }
}

TEST_F(TunedStringIndicatorTest, AsksTheDeviceAfreshAndReplacesThePicture) {
    show({kPhone, 667}, 1);
    show({kPhone, 667}, 2);
    EXPECT_EQ(screen.image("tunedString5"), "2nd_string_6.png");
    // The screen changes (as a desktop window may); the next call follows it.
    show({kPhone, 568}, 2);
    EXPECT_EQ(screen.image("tunedString5"), "2nd_string_5.png");
}

}  // namespace
}  // namespace strumwise::tuner
