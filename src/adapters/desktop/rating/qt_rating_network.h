#pragma once

#include <memory>

#include "platform/network.h"

class QNetworkAccessManager;

namespace strumwise::platform::desktop {

// The network as the desktop sees it. Reachable means that some interface other than loopback
// is up and running with an address; the flags cannot be read when the interfaces cannot be
// listed. The test request goes through a QNetworkAccessManager on the main thread, is never
// awaited and has nothing cached. Create and destroy on the main thread; the two calls are safe
// from any thread.
class QtNetwork final : public Network {
  public:
    QtNetwork();
    ~QtNetwork() override;

    std::optional<std::uint32_t> reachabilityFlags() override;
    std::shared_ptr<DataTask> startDataTask(std::string_view url, double timeoutSeconds) override;

  private:
    std::unique_ptr<QNetworkAccessManager> manager_;
};

}  // namespace strumwise::platform::desktop
