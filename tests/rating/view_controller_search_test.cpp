#include <gtest/gtest.h>

#include "adapters/headless/rating_views.h"
#include "rating/rating_prompt.h"

namespace strumwise::rating {
namespace {

using platform::headless::HeadlessRootController;

// A window or a view, managed by `controller` when it is not null.
struct Node final : platform::Window {
    Node(double l, platform::ViewController* c, std::vector<platform::View*> v)
        : level(l), controller(c), children(std::move(v)) {}
    std::vector<platform::View*> subviews() const override { return children; }
    platform::ViewController* nextResponderViewController() const override { return controller; }
    double windowLevel() const override { return level; }
    platform::ViewController* rootViewController() const override { return controller; }

    double level;
    platform::ViewController* controller;
    std::vector<platform::View*> children;
};

struct Windows final : platform::ViewHierarchy {
    Windows(platform::Window* k, std::vector<platform::Window*> a) : key(k), all(std::move(a)) {}
    platform::Window* keyWindow() const override { return key; }
    std::vector<platform::Window*> windows() const override { return all; }
    double normalWindowLevel() const override { return 0.0; }

    platform::Window* key;
    std::vector<platform::Window*> all;
};

TEST(ViewControllerSearch, FindsTheTopControllerOfTheFirstManagedViewOfANormalLevelWindow) {
    // window > plain > nested (first, which presents modal, which presents top); window > managed
    HeadlessRootController first, second, alertRoot, appRoot;
    const auto modal = std::make_shared<HeadlessRootController>();
    const auto top = std::make_shared<HeadlessRootController>();
    first.presentViewController(modal, false, nullptr);
    modal->presentViewController(top, false, nullptr);
    Node nested(0.0, &first, {}), managed(0.0, &second, {}), plain(0.0, nullptr, {&nested});
    Node window(0.0, nullptr, {&plain, &managed});
    Node alertContent(0.0, &alertRoot, {}), alertWindow(2000.0, nullptr, {&alertContent});
    Node appContent(0.0, &appRoot, {}), appWindow(0.0, nullptr, {&appContent});
    Node raised(1.0, nullptr, {}), leaf(0.0, nullptr, {}), bare(0.0, nullptr, {&leaf});
    const struct {
        const char* what;
        platform::Window* key;
        std::vector<platform::Window*> all;
        platform::ViewController* found;
    } cases[] = {
        {"depth first, then up what it presents", &window, {}, top.get()},
        {"a key window above the normal level is passed over",
         &alertWindow,
         {&raised, &alertWindow, &appWindow},
         &appRoot},
        {"no normal-level window", &alertWindow, {&raised, &alertWindow}, nullptr},
        {"no key window", nullptr, {&raised, &alertWindow}, nullptr},
        {"no managed view", &bare, {}, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RatingPrompt::getRootViewController(Windows(c.key, c.all)), c.found) << c.what;
    }
    EXPECT_EQ(RatingPrompt::topMostViewController(second), &second);
}

}  // namespace
}  // namespace strumwise::rating
