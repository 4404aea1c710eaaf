#pragma once

// Stand-ins for what the headless platform does not script: reachability flags, the store's
// product page, bundles with chosen texts, and a recording delegate.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/bundle.h"
#include "platform/network.h"
#include "platform/store.h"
#include "platform/view_hierarchy.h"
#include "rating/rating_prompt_delegate.h"

namespace strumwise::rating::testing {

// Reachable unless told otherwise; counts probes and test requests. Every request it started
// is in `taskState`, which a test changes as it likes.
class FakeNetwork final : public platform::Network {
  public:
    struct Task final : platform::DataTask {
        explicit Task(const FakeNetwork& n) : network(n) {}
        State state() const override { return network.taskState; }
        const FakeNetwork& network;
    };

    std::optional<std::uint32_t> reachabilityFlags() override {
        ++probes;
        return flags < 0 ? std::nullopt : std::optional<std::uint32_t>(flags);
    }
    std::shared_ptr<platform::DataTask> startDataTask(std::string_view url,
                                                      double timeoutSeconds) override {
        ++requests;
        lastRequest = std::string(url) + " " + std::to_string(timeoutSeconds);
        return std::make_shared<Task>(*this);
    }

    // Negative: the flags cannot be read.
    int flags = static_cast<int>(platform::kReachabilityReachable);
    platform::DataTask::State taskState = platform::DataTask::State::Running;
    int probes = 0, requests = 0;
    std::string lastRequest;
};

// Something already on screen that presents nothing: what comes after has nowhere to appear.
class FakeViewController final : public platform::ViewController {
  public:
    platform::ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<platform::ViewController>, bool,
                               std::function<void()>) override {}
    void dismissViewController(bool, std::function<void()>) override {}
};

class FakeProductPage final : public platform::ProductPage {
  public:
    void loadProduct(std::int64_t itemIdentifier) override { loadedItem = itemIdentifier; }
    void setDidFinishHandler(std::function<void()> handler) override {
        finish = std::move(handler);
    }
    platform::ViewController* presentedViewController() const override { return nullptr; }
    void presentViewController(std::shared_ptr<platform::ViewController>, bool,
                               std::function<void()>) override {}
    void dismissViewController(bool animated, std::function<void()> completion) override {
        dismissedAnimated = animated;
        if (completion) {
            completion();
        }
    }

    std::optional<std::int64_t> loadedItem;
    std::optional<bool> dismissedAnimated;
    // What the user closing the page runs.
    std::function<void()> finish;
};

class FakeStore final : public platform::StoreServices {
  public:
    bool reviewRequestAvailable() const override { return reviewRequest; }
    void requestReview() override { requests.push_back(ratedAtRequest ? ratedAtRequest() : true); }
    bool productPageAvailable() const override { return productPage; }
    std::shared_ptr<platform::ProductPage> makeProductPage() override {
        pages.push_back(std::make_shared<FakeProductPage>());
        return pages.back();
    }

    bool reviewRequest = false;
    bool productPage = false;
    // Each request, with whether the version was already marked rated when it came.
    std::function<bool()> ratedAtRequest;
    std::vector<bool> requests;
    std::vector<std::shared_ptr<FakeProductPage>> pages;
};

// Exactly the values and translations a test gives it; strings keyed "table/key".
class FakeBundle final : public platform::Bundle {
  public:
    using Map = std::map<std::string, std::string, std::less<>>;
    std::string identifier() const override { return "com.strumwise.tuner"; }
    std::optional<std::string> infoValue(std::string_view key) const override {
        return find(info, key);
    }
    std::optional<std::string> localizedInfoValue(std::string_view key) const override {
        return find(localizedInfo, key);
    }
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override {
        return find(strings, std::string(table) + "/" + std::string(key))
            .value_or(std::string(value.empty() ? key : value));
    }

    Map info, localizedInfo, strings;

  private:
    static std::optional<std::string> find(const Map& map, std::string_view key) {
        const auto found = map.find(key);
        return found == map.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

// Records every notification by name; answers ratingPromptShouldDisplayAlert with `allow`.
class RecordingDelegate final : public RatingPromptDelegate {
  public:
    bool ratingPromptShouldDisplayAlert(RatingPrompt&) override {
        calls.push_back("shouldDisplay");
        return allow;
    }
    void ratingPromptDidDisplayAlert(RatingPrompt&) override { calls.push_back("didDisplay"); }
    void ratingPromptDidDeclineToRate(RatingPrompt&) override { calls.push_back("didDecline"); }
    void ratingPromptDidOptToRate(RatingPrompt&) override { calls.push_back("didOptToRate"); }
    void ratingPromptDidOptToRemindLater(RatingPrompt&) override {
        calls.push_back("didOptToRemindLater");
    }
    void ratingPromptWillPresentModalView(RatingPrompt&, bool animated) override {
        calls.push_back(animated ? "willPresentModal animated" : "willPresentModal");
    }
    void ratingPromptDidDismissModalView(RatingPrompt&, bool animated) override {
        calls.push_back(animated ? "didDismissModal animated" : "didDismissModal");
    }

    bool allow = true;
    std::vector<std::string> calls;
};

}  // namespace strumwise::rating::testing
