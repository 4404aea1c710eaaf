#include "adapters/desktop/audio/audio_worker.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace strumwise::platform::desktop {
namespace {

// Long enough for a healthy server to close a stream, short enough that a quit feels prompt.
constexpr auto kExitWait = std::chrono::milliseconds(500);

}  // namespace

// Shared by the owner and the thread, so that a thread left behind still has its queue.
struct AudioWorker::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    std::function<void()> idleTask;
    std::chrono::milliseconds quiet{0};
    bool quit = false;
    bool finished = false;
    std::thread thread;

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            const auto due = [this] { return quit || !tasks.empty(); };
            if (idleTask) {
                if (!wake.wait_for(lock, quiet, due)) {
                    // Copied, so that the lock is not held while it runs.
                    std::function<void()> upkeep = idleTask;
                    lock.unlock();
                    upkeep();
                    lock.lock();
                    continue;
                }
            } else {
                wake.wait(lock, due);
            }
            if (tasks.empty()) {
                break;  // quit, and nothing left to do
            }
            std::function<void()> task = std::move(tasks.front());
            tasks.pop_front();
            lock.unlock();
            task();
            task = nullptr;  // what the task captured goes with it, outside the lock
            lock.lock();
        }
        finished = true;
        wake.notify_all();
    }
};

AudioWorker::AudioWorker() : state_(std::make_shared<State>()) {
    state_->thread = std::thread([state = state_] { state->run(); });
}

AudioWorker::~AudioWorker() {
    if (!state_->thread.joinable()) {
        return;  // left behind
    }
    std::unique_lock lock(state_->mutex);
    state_->quit = true;
    state_->wake.notify_all();
    const bool finished =
        state_->wake.wait_for(lock, kExitWait, [this] { return state_->finished; });
    lock.unlock();
    if (finished) {
        state_->thread.join();
    } else {
        state_->thread.detach();
    }
}

void AudioWorker::leaveBehind() {
    {
        std::lock_guard lock(state_->mutex);
        state_->quit = true;
    }
    state_->wake.notify_all();
    state_->thread.detach();
}

void AudioWorker::setIdleTask(std::chrono::milliseconds quiet, std::function<void()> task) {
    {
        std::lock_guard lock(state_->mutex);
        state_->quiet = quiet;
        state_->idleTask = std::move(task);
    }
    state_->wake.notify_all();
}

void AudioWorker::post(std::function<void()> task) {
    {
        std::lock_guard lock(state_->mutex);
        state_->tasks.push_back(std::move(task));
    }
    state_->wake.notify_all();
}

}  // namespace strumwise::platform::desktop
