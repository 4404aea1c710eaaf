#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/application.h"

namespace strumwise::rating {

// The main screen's links out of the application: the maker's site, this application's
// write-review page and the store pages of the maker's other applications.
class StoreLinks {
  public:
    explicit StoreLinks(platform::Application& application) : application_(application) {}

    // The address a link action opens; nullopt for an action that is not a link.
    static std::optional<std::string> urlForAction(std::string_view action);

    // Opens the link of `action` and answers true; false, opening nothing, for any other action.
    bool sendAction(std::string_view action);

  private:
    platform::Application& application_;
};

}  // namespace strumwise::rating
