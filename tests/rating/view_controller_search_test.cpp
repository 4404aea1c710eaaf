#include <gtest/gtest.h>

#include "rating/rating_prompt.h"
#include "rating_fakes.h"

namespace strumwise::rating::testing {
namespace {

TEST(ViewControllerSearch, FindsTheFirstManagedSubviewDepthFirstAndItsTopController) {
    // window > plain > nested (first, which presents modal, which presents top); window > managed
    FakeViewController first, second, modal, top;
    first.presented = &modal;
    modal.presented = &top;
    FakeView window, plain, nested, managed;
    nested.controller = &first;
    plain.children = {&nested};
    managed.controller = &second;
    window.children = {&plain, &managed};
    FakeViewHierarchy views;
    views.key = &window;

    EXPECT_EQ(RatingPrompt::getRootViewController(views), &top);
    EXPECT_EQ(RatingPrompt::topMostViewController(second), &second);
}

TEST(ViewControllerSearch, KeyWindowAboveTheNormalLevelIsPassedOver) {
    FakeViewController alertRoot, appRoot;
    FakeView alertWindow(2000.0), alertContent, raised(1.0), appWindow(0.0), appContent;
    alertContent.controller = &alertRoot;
    alertWindow.children = {&alertContent};
    appContent.controller = &appRoot;
    appWindow.children = {&appContent};
    FakeViewHierarchy views;
    views.key = &alertWindow;
    views.all = {&raised, &alertWindow, &appWindow};
    EXPECT_EQ(RatingPrompt::getRootViewController(views), &appRoot);

    views.all = {&raised, &alertWindow};
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no normal-level window";
    views.key = nullptr;
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no key window";
    FakeView bare, leaf;
    bare.children = {&leaf};
    views.key = &bare;
    EXPECT_EQ(RatingPrompt::getRootViewController(views), nullptr) << "no managed view";
}

}  // namespace
}  // namespace strumwise::rating::testing
