#pragma once

#include <string>
#include <string_view>

namespace strumwise::rating {

// The store's review page for the application `appId`, in the form that the operating system of
// version `systemVersion` (leading number, "17.2" is 17.2) understands.
std::string reviewUrl(std::string_view appId, double systemVersion);

// `text` with every "APP_ID" replaced by `appId`.
std::string replaceAppId(std::string_view text, std::string_view appId);

}  // namespace strumwise::rating
