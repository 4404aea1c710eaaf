#pragma once

#include <array>
#include <string_view>

#include "view/action_names.h"

namespace strumwise::rating {

// Every address that leaves the application, in one place.

// This application's identifier in the store.
inline constexpr std::string_view kAppStoreId = "1163842075";

// The store's own hosts. Review pages of the oldest systems live on a host of their own.
inline constexpr std::string_view kStoreHost = "apps.apple.com";
inline constexpr std::string_view kStoreReviewHost = "itunes.apple.com";

// The maker's web site, opened by the maker link.
inline constexpr std::string_view kMakerSiteUrl = "http://www.vornhaltlabs.com/";

// The page that the network probe asks for, without waiting for the answer. It is someone else's
// host, so it is asked over https, by one request at a time, and no more than once a minute.
inline constexpr std::string_view kReachabilityTestUrl = "https://www.example.com/";
inline constexpr double kReachabilityTestTimeoutSeconds = 20.0;
inline constexpr double kReachabilityTestIntervalSeconds = 60.0;

// The maker's other applications, by the action that opens each one's store page.
struct SiblingApp {
    std::string_view action;
    std::string_view storeId;
};

inline constexpr std::array<SiblingApp, 12> kSiblingApps{{
    {view::kSiblingAppActions[0], "1163840112"},
    {view::kSiblingAppActions[1], "1163840398"},
    {view::kSiblingAppActions[2], "1163840641"},
    {view::kSiblingAppActions[3], "1163840887"},
    {view::kSiblingAppActions[4], "1163841120"},
    {view::kSiblingAppActions[5], "1163841346"},
    {view::kSiblingAppActions[6], "1163841579"},
    {view::kSiblingAppActions[7], "1163841803"},
    {view::kSiblingAppActions[8], "1163842317"},
    {view::kSiblingAppActions[9], "1163842560"},
    {view::kSiblingAppActions[10], "1163842794"},
    {view::kSiblingAppActions[11], "1163843021"},
}};
static_assert(kSiblingApps.size() == view::kSiblingAppActions.size());

}  // namespace strumwise::rating
