#pragma once

#include "platform/network.h"

namespace strumwise::platform::headless {

// The network as `--network up|down` sets it. Up: reachable, and the test request starts (and
// never ends: nothing is sent). Down: readable flags that say unreachable.
class HeadlessNetwork final : public Network {
  public:
    explicit HeadlessNetwork(bool up) : up_(up) {}

    std::optional<std::uint32_t> reachabilityFlags() override {
        return up_ ? kReachabilityReachable : 0u;
    }
    std::shared_ptr<DataTask> startDataTask(std::string_view url, double timeoutSeconds) override;

  private:
    const bool up_;
};

}  // namespace strumwise::platform::headless
