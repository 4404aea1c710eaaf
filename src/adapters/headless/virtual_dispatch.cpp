#include "adapters/headless/virtual_dispatch.h"

namespace strumwise::platform::headless {
namespace {

class VirtualTaskQueue final : public TaskQueue {
  public:
    explicit VirtualTaskQueue(VirtualRunLoop& runLoop) : runLoop_(runLoop) {}
    void async(std::function<void()> task) override { runLoop_.postToMain(std::move(task)); }

  private:
    VirtualRunLoop& runLoop_;
};

}  // namespace

VirtualDispatch::VirtualDispatch(VirtualRunLoop& runLoop)
    : runLoop_(runLoop), background_(std::make_unique<VirtualTaskQueue>(runLoop)) {}

std::unique_ptr<TaskQueue> VirtualDispatch::makeSerialQueue() {
    return std::make_unique<VirtualTaskQueue>(runLoop_);
}

}  // namespace strumwise::platform::headless
