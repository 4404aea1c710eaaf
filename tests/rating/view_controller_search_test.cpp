#include <gtest/gtest.h>

#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {
namespace {

TEST(ViewControllerSearch, FindsTheFirstManagedSubviewDepthFirstAndItsTopController) {
    // window
    //   plain            (no controller)
    //     nested         -> first   (presents modal, which presents top)
    //   managed          -> second
    FakeViewController first, second;
    auto modal = std::make_shared<FakeViewController>();
    auto top = std::make_shared<FakeViewController>();
    first.presentViewController(modal, false, nullptr);
    modal->presentViewController(top, false, nullptr);

    FakeView plain, nested, managed;
    nested.controller = &first;
    plain.children = {&nested};
    managed.controller = &second;
    FakeWindow window;
    window.children = {&plain, &managed};
    FakeViewHierarchy views;
    views.key = &window;

    EXPECT_EQ(RatingPrompt::getRootViewController(views), top.get());
    EXPECT_EQ(RatingPrompt::topMostViewController(second), &second);
}

TEST(ViewControllerSearch, KeyWindowAboveTheNormalLevelIsPassedOver) {
    AppWindow alertWindow(2000.0);
    AppWindow raisedFirst(1.0);
    AppWindow app(0.0);
    FakeViewHierarchy views;
    views.key = &alertWindow.window;
    views.all = {&raisedFirst.window, &alertWindow.window, &app.window};

    EXPECT_EQ(RatingPrompt::getRootViewController(views), &app.root);
}

TEST(ViewControllerSearch, FindsNothingWithoutANormalWindowOrAController) {
    FakeViewHierarchy views;
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no key window";

    AppWindow alertWindow(2000.0);
    views.key = &alertWindow.window;
    views.all = {&alertWindow.window};
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no normal-level window";

    FakeView leaf;
    FakeWindow bare;
    bare.children = {&leaf};
    views.key = &bare;
    views.all = {&bare};
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no managed view";
}

}  // namespace
}  // namespace strumwise::rating::testing
