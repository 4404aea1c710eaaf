#include "adapters/headless/rating_network.h"

namespace strumwise::platform::headless {

namespace {

class RunningTask final : public DataTask {
  public:
    State state() const override { return State::Running; }
};

}  // namespace

std::shared_ptr<DataTask> HeadlessNetwork::startDataTask(std::string_view /*url*/,
                                                         double /*timeoutSeconds*/) {
    return std::make_shared<RunningTask>();
}

}  // namespace strumwise::platform::headless
