#pragma once

#include "platform/alerts.h"
#include "platform/app_notifications.h"
#include "platform/application.h"
#include "platform/bundle.h"
#include "platform/clock.h"
#include "platform/device.h"
#include "platform/dispatch.h"
#include "platform/log.h"
#include "platform/network.h"
#include "platform/run_loop.h"
#include "platform/store.h"
#include "platform/user_defaults.h"
#include "platform/view_hierarchy.h"

namespace strumwise::rating {

// What the rating prompt needs of the platform. The services outlive every prompt built on them.
struct RatingServices {
    platform::Log& log;
    platform::Clock& clock;
    platform::RunLoop& runLoop;
    platform::Dispatch& dispatch;
    platform::UserDefaults& defaults;
    platform::Device& device;
    platform::Application& application;
    platform::Bundle& mainBundle;
    // The application's "RatingPrompt.bundle" resource bundle, nullptr when it has none; the
    // prompt's texts then come from the main bundle.
    const platform::Bundle* ratingPromptBundle;
    platform::Alerts& alerts;
    platform::StoreServices& store;
    platform::Network& network;
    platform::ViewHierarchy& views;
    platform::AppNotifications& notifications;
};

}  // namespace strumwise::rating
