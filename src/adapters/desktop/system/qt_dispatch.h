#pragma once

#include <QThreadPool>
#include <memory>

#include "platform/dispatch.h"

namespace strumwise::platform::desktop {

// Background work on a thread pool of our own, whose threads run at low priority: nothing here
// may compete with the audio threads. The background queue runs its tasks concurrently; a serial
// queue runs one task at a time, in the order they were posted, on whichever pool thread is free.
// Destroying the dispatch waits for every task that has started or is waiting, so nothing runs
// against services that are being torn down.
class QtDispatch final : public Dispatch {
  public:
    QtDispatch();
    ~QtDispatch() override;

    TaskQueue& backgroundQueue() override { return *background_; }
    std::unique_ptr<TaskQueue> makeSerialQueue() override;

    // Blocks until every task posted so far, and every task those post, has run; for tests and
    // for an orderly shutdown.
    void waitForDone();

  private:
    QThreadPool pool_;
    std::unique_ptr<TaskQueue> background_;
};

}  // namespace strumwise::platform::desktop
