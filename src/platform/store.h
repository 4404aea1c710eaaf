#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/view_hierarchy.h"

namespace strumwise::platform {

// The store's in-application product page: a controller presented modally.
class ProductPage : public ViewController {
  public:
    // Starts loading the page of the store item; nothing reports the outcome.
    virtual void loadProduct(std::int64_t itemIdentifier) = 0;
    // `didFinish` runs on the main thread when the user closes the page.
    virtual void setDidFinishHandler(std::function<void()> didFinish) = 0;
};

// The platform's store services. All calls on the main thread.
class StoreServices {
  public:
    virtual ~StoreServices() = default;
    // Whether the platform can show its own rating sheet.
    virtual bool reviewRequestAvailable() const = 0;
    // Asks the platform to offer its rating sheet; the platform decides whether it appears.
    virtual void requestReview() = 0;
    // Whether the platform offers the in-application product page.
    virtual bool productPageAvailable() const = 0;
    // A new product page; nullptr when the platform has none.
    virtual std::shared_ptr<ProductPage> makeProductPage() = 0;
};

}  // namespace strumwise::platform
