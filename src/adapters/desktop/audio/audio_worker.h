#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace strumwise::platform::desktop {

// A thread of its own for calls that may block for ever: PortAudio's open, start, stop and close
// wait on the sound server, and a server that dies at the wrong moment leaves them waiting. The
// caller posts tasks and returns at once; the tasks run one after another, in order.
//
// Destroying the worker runs no task posted later, lets the queued ones finish and waits a
// short while for them; a worker still stuck after that is left to finish on its own, holding
// everything its tasks captured, so that no caller ever waits on a sound server.
class AudioWorker {
  public:
    AudioWorker();
    ~AudioWorker();
    AudioWorker(const AudioWorker&) = delete;
    AudioWorker& operator=(const AudioWorker&) = delete;

    void post(std::function<void()> task);

    // Runs `task` whenever the worker has had nothing to do for `quiet`, until it is destroyed;
    // for upkeep that must not hold up the posted tasks. Set before posting anything.
    void setIdleTask(std::chrono::milliseconds quiet, std::function<void()> task);

    // Lets the queued tasks finish on their own time and returns at once; the destructor then
    // waits for nothing. For a worker known to be stuck.
    void leaveBehind();

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace strumwise::platform::desktop
