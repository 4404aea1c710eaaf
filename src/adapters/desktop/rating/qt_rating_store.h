#pragma once

#include "platform/store.h"

namespace strumwise::platform::desktop {

// The desktop has no store of its own: no review sheet and no product page, so the rating
// prompt shows its alert and sends the user to the store's web page.
class QtStore final : public StoreServices {
  public:
    bool reviewRequestAvailable() const override { return false; }
    void requestReview() override {}
    bool productPageAvailable() const override { return false; }
    std::shared_ptr<ProductPage> makeProductPage() override { return nullptr; }
};

}  // namespace strumwise::platform::desktop
