#pragma once

#include "platform/store.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::headless {

// The store services: the platform's review request when `--store-review` is given, traced as
// `storeReview request`; never a product page.
class HeadlessStore final : public StoreServices {
  public:
    HeadlessStore(bool reviewRequestAvailable, trace::TraceSink& sink)
        : reviewRequestAvailable_(reviewRequestAvailable), sink_(sink) {}

    bool reviewRequestAvailable() const override { return reviewRequestAvailable_; }
    void requestReview() override { sink_.emit("storeReview", "request"); }
    bool productPageAvailable() const override { return false; }
    std::shared_ptr<ProductPage> makeProductPage() override { return nullptr; }

  private:
    const bool reviewRequestAvailable_;
    trace::TraceSink& sink_;
};

}  // namespace strumwise::platform::headless
