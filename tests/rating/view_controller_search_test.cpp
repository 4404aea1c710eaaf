#include <gtest/gtest.h>

#include "platform/headless/rating_views.h"
#include "rating/rating_prompt.h"

namespace strumwise::rating {
namespace {

using platform::headless::HeadlessRootController;

// A window or a view, managed by `controller` when it is not null.
class Node final : public platform::Window {
  public:
    Node(double level, platform::ViewController* controller, std::vector<platform::View*> children)
        : level_(level), controller_(controller), children_(std::move(children)) {}
    std::vector<platform::View*> subviews() const override { return children_; }
    platform::ViewController* nextResponderViewController() const override { return controller_; }
    double windowLevel() const override { return level_; }
    platform::ViewController* rootViewController() const override { return controller_; }

  private:
    double level_;
    platform::ViewController* controller_;
    std::vector<platform::View*> children_;
};

class Windows final : public platform::ViewHierarchy {
  public:
    Windows(platform::Window* key, std::vector<platform::Window*> all) : key_(key), all_(all) {}
    platform::Window* keyWindow() const override { return key_; }
    std::vector<platform::Window*> windows() const override { return all_; }
    double normalWindowLevel() const override { return 0.0; }

  private:
    platform::Window* key_;
    std::vector<platform::Window*> all_;
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
