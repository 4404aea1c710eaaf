#pragma once

#include <functional>
#include <memory>

#include "adapters/headless/virtual_run_loop.h"
#include "platform/dispatch.h"

namespace strumwise::platform::headless {

// Background and serial queues on the virtual clock: a posted task runs on the main thread at
// the current virtual time, after everything already due then. Runs are therefore
// deterministic; one task at a time and in posting order satisfies both queue kinds.
class VirtualDispatch final : public Dispatch {
  public:
    explicit VirtualDispatch(VirtualRunLoop& runLoop);

    TaskQueue& backgroundQueue() override { return *background_; }
    std::unique_ptr<TaskQueue> makeSerialQueue() override;

  private:
    VirtualRunLoop& runLoop_;
    std::unique_ptr<TaskQueue> background_;
};

}  // namespace strumwise::platform::headless
