#include "rating/rating_settings.h"

namespace strumwise::rating {

std::string RatingSettings::appId() const {
    const std::lock_guard lock(appIdMutex_);
    return appId_;
}

void RatingSettings::setAppId(std::string_view appId) {
    const std::lock_guard lock(appIdMutex_);
    appId_ = appId;
}

}  // namespace strumwise::rating
