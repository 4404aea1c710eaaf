#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace strumwise::platform::desktop {

// Turns SIGINT, SIGTERM and SIGHUP into a call of `onSignal` on the main thread. The handler itself
// only writes one byte to a pipe (all a signal handler may safely do); the main loop sees the byte
// through a socket notifier. One instance at a time; the previous handlers come back when it is
// destroyed.
class QtQuitOnSignal final {
  public:
    explicit QtQuitOnSignal(std::function<void()> onSignal);
    ~QtQuitOnSignal();
    QtQuitOnSignal(const QtQuitOnSignal&) = delete;
    QtQuitOnSignal& operator=(const QtQuitOnSignal&) = delete;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool active() const { return notifier_ != nullptr; }

  private:
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace strumwise::platform::desktop
