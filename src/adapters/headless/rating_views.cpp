#include "adapters/headless/rating_views.h"

namespace strumwise::platform::headless {

void HeadlessRootController::presentViewController(std::shared_ptr<ViewController> controller,
                                                   bool /*animated*/,
                                                   std::function<void()> completion) {
    if (presented_ || !controller) {
        return;
    }
    presented_ = std::move(controller);
    if (auto* presentable = dynamic_cast<HeadlessPresentable*>(presented_.get())) {
        presentable->presentedBy(this);
    }
    if (completion) {
        completion();
    }
}

void HeadlessRootController::dismissViewController(bool /*animated*/,
                                                   std::function<void()> completion) {
    dropPresented();
    if (completion) {
        completion();
    }
}

void HeadlessRootController::dropPresented() {
    // Kept alive until the presented controller has heard that it is gone.
    const std::shared_ptr<ViewController> presented = std::move(presented_);
    presented_.reset();
    if (auto* presentable = dynamic_cast<HeadlessPresentable*>(presented.get())) {
        presentable->presentedBy(nullptr);
    }
}

class HeadlessViewHierarchy::ContentView final : public View {
  public:
    explicit ContentView(HeadlessRootController& root) : root_(root) {}
    std::vector<View*> subviews() const override { return {}; }
    ViewController* nextResponderViewController() const override { return &root_; }

  private:
    HeadlessRootController& root_;
};

class HeadlessViewHierarchy::MainWindow final : public Window {
  public:
    MainWindow(ContentView& content, HeadlessRootController& root)
        : content_(content), root_(root) {}
    std::vector<View*> subviews() const override { return {&content_}; }
    ViewController* nextResponderViewController() const override { return nullptr; }
    double windowLevel() const override { return 0.0; }
    ViewController* rootViewController() const override { return &root_; }

  private:
    ContentView& content_;
    HeadlessRootController& root_;
};

HeadlessViewHierarchy::HeadlessViewHierarchy(bool mainWindowInstalled)
    : content_(std::make_unique<ContentView>(root_)),
      window_(std::make_unique<MainWindow>(*content_, root_)),
      installed_(mainWindowInstalled) {}

HeadlessViewHierarchy::~HeadlessViewHierarchy() = default;

Window* HeadlessViewHierarchy::keyWindow() const {
    return installed_ ? window_.get() : nullptr;
}

std::vector<Window*> HeadlessViewHierarchy::windows() const {
    if (!installed_) {
        return {};
    }
    return {window_.get()};
}

}  // namespace strumwise::platform::headless
