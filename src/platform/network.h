#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace strumwise::platform {

// Reachability flag bits, as the platform reports them.
inline constexpr std::uint32_t kReachabilityTransientConnection = 1;
inline constexpr std::uint32_t kReachabilityReachable = 2;
inline constexpr std::uint32_t kReachabilityConnectionRequired = 4;

// A started URL request.
class DataTask {
  public:
    enum class State { Running, Suspended, Canceling, Completed };
    virtual ~DataTask() = default;
    // Safe from any thread.
    virtual State state() const = 0;
};

// The network as the rating prompt probes it. Every call is safe from any thread.
class Network {
  public:
    virtual ~Network() = default;
    // The reachability flags of the all-zeros IPv4 address (0.0.0.0, port 0), which stand for
    // "any route out of this machine"; nullopt when they cannot be read.
    virtual std::optional<std::uint32_t> reachabilityFlags() = 0;
    // Starts a GET of `url` that ignores locally cached data and gives up after
    // `timeoutSeconds`. Nobody waits for it and its answer is never read; the platform keeps
    // the request alive until it ends, whether or not the task handle is kept.
    virtual std::shared_ptr<DataTask> startDataTask(std::string_view url,
                                                    double timeoutSeconds) = 0;
};

}  // namespace strumwise::platform
