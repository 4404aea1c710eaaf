#include "rating/review_url.h"

#include "rating/store_config.h"

namespace strumwise::rating {

namespace {

constexpr std::string_view kPlaceholder = "APP_ID";
constexpr std::string_view kReviewsPath = "/WebObjects/MZStore.woa/wa/viewContentsUserReviews";

std::string reviewTemplate(double systemVersion) {
    std::string url = "itms-apps://";
    if (systemVersion < 7.0) {
        url.append(kStoreReviewHost).append(kReviewsPath);
        url.append("?type=Purple+Software&id=APP_ID");
    } else if (systemVersion < 8.0) {
        url.append(kStoreHost).append("/app/idAPP_ID");
    } else {
        url.append(kStoreHost).append(kReviewsPath);
        url.append(
            "?id=APP_ID&onlyLatestVersion=true&pageNumber=0&sortOrdering=1&type=Purple+Software");
    }
    return url;
}

}  // namespace

std::string replaceAppId(std::string_view text, std::string_view appId) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(kPlaceholder); at != std::string_view::npos;
         at = text.find(kPlaceholder, from)) {
        result.append(text.substr(from, at - from)).append(appId);
        from = at + kPlaceholder.size();
    }
    result.append(text.substr(from));
    return result;
}

std::string reviewUrl(std::string_view appId, double systemVersion) {
    return replaceAppId(reviewTemplate(systemVersion), appId);
}

}  // namespace strumwise::rating
