#include "rating/store_links.h"

#include "rating/store_config.h"
#include "view/action_names.h"

namespace strumwise::rating {

std::optional<std::string> StoreLinks::urlForAction(std::string_view action) {
    if (action == view::kMakerSiteAction) {
        return std::string(kMakerSiteUrl);
    }
    if (action == view::kReviewAction) {
        return "itms-apps://" + std::string(kStoreHost) + "/app/id" + std::string(kAppStoreId) +
               "?action=write-review";
    }
    for (const SiblingApp& app : kSiblingApps) {
        if (action == app.action) {
            return "https://" + std::string(kStoreHost) + "/app/id" + std::string(app.storeId);
        }
    }
    return std::nullopt;
}

bool StoreLinks::sendAction(std::string_view action) {
    const std::optional<std::string> url = urlForAction(action);
    if (!url) {
        return false;
    }
    application_.openURL(*url);
    return true;
}

}  // namespace strumwise::rating
