#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace strumwise {

// Handlers that come and go, called in the order they were added. A handler stays in the list
// for as long as the subscription `add` returns is alive; destroying the subscription removes
// it, also after the list itself is gone. One thread only.
//
// `SubscriptionBase` is the abstract subscription type an interface hands out (it needs a
// virtual destructor); the list's own subscriptions derive from it.
template <class SubscriptionBase>
class HandlerList {
  public:
    std::unique_ptr<SubscriptionBase> add(std::function<void()> handler) {
        auto shared = std::make_shared<std::function<void()>>(std::move(handler));
        handlers_->push_back(shared);
        return std::make_unique<Token>(handlers_, std::move(shared));
    }

    void callAll() const {
        // A copy, so that a handler may subscribe or unsubscribe while the others run.
        const Handlers handlers = *handlers_;
        for (const auto& handler : handlers) {
            (*handler)();
        }
    }

  private:
    using Handlers = std::vector<std::shared_ptr<std::function<void()>>>;

    class Token final : public SubscriptionBase {
      public:
        Token(std::weak_ptr<Handlers> handlers, std::shared_ptr<std::function<void()>> handler)
            : handlers_(std::move(handlers)), handler_(std::move(handler)) {}
        ~Token() override {
            if (const auto handlers = handlers_.lock()) {
                std::erase(*handlers, handler_);
            }
        }

      private:
        std::weak_ptr<Handlers> handlers_;
        std::shared_ptr<std::function<void()>> handler_;
    };

    std::shared_ptr<Handlers> handlers_ = std::make_shared<Handlers>();
};

}  // namespace strumwise
