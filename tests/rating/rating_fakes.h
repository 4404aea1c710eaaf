#pragma once

// Stand-ins for what the headless platform does not script: reachability flags, the store,
// and bundles with chosen texts.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/bundle.h"
#include "platform/network.h"
#include "platform/store.h"
#include "platform/view_hierarchy.h"

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

class FakeStore final : public platform::StoreServices {
  public:
    bool reviewRequestAvailable() const override { return reviewRequest; }
    void requestReview() override { requests.push_back(ratedAtRequest ? ratedAtRequest() : true); }
    bool productPageAvailable() const override { return productPage; }
    // Neither platform offers a product page, and the tests never ask for one.
    std::shared_ptr<platform::ProductPage> makeProductPage() override {
        ADD_FAILURE() << "a product page was made";
        return nullptr;
    }

    bool reviewRequest = false;
    bool productPage = false;
    // Each request, with whether the version was already marked rated when it came.
    std::function<bool()> ratedAtRequest;
    std::vector<bool> requests;
};

// Exactly the values and translations a test gives it, the same values localized or not;
// strings keyed "table/key".
class FakeBundle final : public platform::Bundle {
  public:
    using Map = std::map<std::string, std::string, std::less<>>;
    std::string identifier() const override { return "com.strumwise.tuner"; }
    std::optional<std::string> infoValue(std::string_view key) const override {
        return find(info, key);
    }
    std::optional<std::string> localizedInfoValue(std::string_view key) const override {
        return find(info, key);
    }
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override {
        return find(strings, std::string(table) + "/" + std::string(key))
            .value_or(std::string(value.empty() ? key : value));
    }

    Map info, strings;

  private:
    static std::optional<std::string> find(const Map& map, std::string_view key) {
        const auto found = map.find(key);
        return found == map.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
};

}  // namespace strumwise::rating::testing
