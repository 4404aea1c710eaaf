#include <gtest/gtest.h>

#include <set>

#include "app/headless_app.h"
#include "platform/headless/headless_storyboard.h"
#include "screen/outlet_binding.h"

namespace strumwise::platform::headless {
namespace {

TEST(HeadlessLayout, ConnectsEveryOutletOfTheMainScreen) {
    HeadlessStoryboard layout("Main_iPhone6");
    const view::Outlets outlets = screen::bindOutlets(layout);
    // Unpacking names every field: a field added to Outlets breaks this line until the headless
    // layout (and this test) know it.
    const auto [a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15, a16, a17, a18,
                a19, a20, a21, a22, a23, a24, a25, a26, a27] = outlets;
    const std::set<const void*> views{a1,  a2,  a3,  a4,  a5,  a6,  a7,  a8,  a9,
                                      a10, a11, a12, a13, a14, a15, a16, a17, a18,
                                      a19, a20, a21, a22, a23, a24, a25, a26, a27};
    EXPECT_EQ(views.count(nullptr), 0u);
    EXPECT_EQ(views.size(), 27u);  // and no two outlets share a view
}

TEST(HeadlessLayout, WindowsHoldTheThirteenLayoutsAndNoOther) {
    HeadlessWindows windows(app::headlessLayoutNames());
    for (const auto& name : app::headlessLayoutNames()) {
        EXPECT_NE(windows.loadStoryboard(name), nullptr) << name;
    }
    EXPECT_EQ(app::headlessLayoutNames().size(), 13u);
    EXPECT_EQ(windows.loadStoryboard("Main_iPhone7"), nullptr);
}

}  // namespace
}  // namespace strumwise::platform::headless
