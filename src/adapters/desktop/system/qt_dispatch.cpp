#include "adapters/desktop/system/qt_dispatch.h"

#include <deque>
#include <functional>
#include <mutex>

namespace strumwise::platform::desktop {
namespace {

class BackgroundQueue final : public TaskQueue {
  public:
    explicit BackgroundQueue(QThreadPool& pool) : pool_(pool) {}
    void async(std::function<void()> task) override { pool_.start(std::move(task)); }

  private:
    QThreadPool& pool_;
};

// The tasks of one serial queue and whether a pool thread is draining them. Shared with the
// draining runnable, so a queue may be destroyed while its last tasks still run.
struct SerialState {
    std::mutex mutex;
    std::deque<std::function<void()>> tasks;
    bool draining = false;
};

class SerialQueue final : public TaskQueue {
  public:
    explicit SerialQueue(QThreadPool& pool)
        : pool_(pool), state_(std::make_shared<SerialState>()) {}

    void async(std::function<void()> task) override {
        {
            std::lock_guard lock(state_->mutex);
            state_->tasks.push_back(std::move(task));
            if (state_->draining) {
                return;  // the running drain picks it up, after the tasks before it
            }
            state_->draining = true;
        }
        pool_.start([state = state_] { drain(*state); });
    }

  private:
    static void drain(SerialState& state) {
        for (;;) {
            std::function<void()> next;
            {
                std::lock_guard lock(state.mutex);
                if (state.tasks.empty()) {
                    state.draining = false;
                    return;
                }
                next = std::move(state.tasks.front());
                state.tasks.pop_front();
            }
            next();
        }
    }

    QThreadPool& pool_;
    std::shared_ptr<SerialState> state_;
};

}  // namespace

QtDispatch::QtDispatch() : background_(std::make_unique<BackgroundQueue>(pool_)) {
    pool_.setObjectName(QStringLiteral("strumwise-dispatch"));
    pool_.setMaxThreadCount(4);
    pool_.setThreadPriority(QThread::LowPriority);
}

QtDispatch::~QtDispatch() {
    pool_.waitForDone();
}

std::unique_ptr<TaskQueue> QtDispatch::makeSerialQueue() {
    return std::make_unique<SerialQueue>(pool_);
}

void QtDispatch::waitForDone() {
    pool_.waitForDone();
}

}  // namespace strumwise::platform::desktop
