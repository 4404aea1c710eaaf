#pragma once

#include "adapters/headless/rating_alerts.h"
#include "adapters/headless/rating_network.h"
#include "adapters/headless/rating_notifications.h"
#include "adapters/headless/rating_store.h"
#include "adapters/headless/rating_views.h"
#include "adapters/headless/virtual_run_loop.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::headless {

// What the `headless` command's rating options choose.
struct HeadlessRatingConfig {
    // `--network up|down`.
    bool networkUp = false;
    // `--store-review`: the platform's own review request exists.
    bool storeReview = false;
    // `--answer decline|rate|later|none`.
    AlertAnswer answer = AlertAnswer::None;
};

// The services the rating prompt needs beyond the common ones, headless: a scripted network,
// store, alerts, the main window's controller tree (empty until the launch installs the window)
// and the application notifications.
class HeadlessRatingPlatform {
  public:
    HeadlessRatingPlatform(const HeadlessRatingConfig& config, VirtualRunLoop& runLoop,
                           trace::TraceSink& sink)
        : network_(config.networkUp),
          store_(config.storeReview, sink),
          alerts_(runLoop, sink, config.answer),
          views_(false) {}

    HeadlessNetwork& network() { return network_; }
    HeadlessStore& store() { return store_; }
    HeadlessAlerts& alerts() { return alerts_; }
    HeadlessViewHierarchy& views() { return views_; }
    HeadlessAppNotifications& notifications() { return notifications_; }

  private:
    HeadlessNetwork network_;
    HeadlessStore store_;
    HeadlessAlerts alerts_;
    HeadlessViewHierarchy views_;
    HeadlessAppNotifications notifications_;
};

}  // namespace strumwise::platform::headless
