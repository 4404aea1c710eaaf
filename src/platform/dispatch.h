#pragma once

#include <functional>
#include <memory>

namespace strumwise::platform {

// A queue of tasks that run off the main thread. Safe to post to from any thread.
class TaskQueue {
  public:
    virtual ~TaskQueue() = default;
    virtual void async(std::function<void()> task) = 0;
};

// Background work: a shared concurrent queue of background priority, and serial queues that
// run one task at a time in the order they were posted.
class Dispatch {
  public:
    virtual ~Dispatch() = default;
    virtual TaskQueue& backgroundQueue() = 0;
    virtual std::unique_ptr<TaskQueue> makeSerialQueue() = 0;
};

}  // namespace strumwise::platform
