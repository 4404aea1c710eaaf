// The headless pieces that other threads reach: the trace (the desktop traces from its audio
// and worker threads), the user defaults and the log (the rating prompt's queues), and posting
// to the main run loop.

#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "adapters/headless/headless_log.h"
#include "adapters/headless/memory_user_defaults.h"
#include "adapters/headless/virtual_run_loop.h"
#include "trace/trace_services.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::headless {
namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 300;

TEST(TraceThreads, LinesFromManyThreadsComeOutWholeAndNoneIsLost) {
    std::atomic<std::int64_t> clock{0};
    std::vector<std::string> lines;  // written under the sink's own lock
    trace::TraceSink sink([&clock] { return clock.fetch_add(1); }, trace::TraceSink::Format::Text,
                          [&lines](std::string_view line) { lines.emplace_back(line); });
    HeadlessLog log;
    MemoryUserDefaults store;
    trace::TracedLog tracedLog(log, sink);
    trace::TracedUserDefaults defaults(store, sink);

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const std::string key = "key" + std::to_string(t);
            for (int i = 0; i < kRounds; ++i) {
                tracedLog.write("thread " + std::to_string(t) + " line " + std::to_string(i));
                defaults.setInteger(i, key);
                (void)defaults.integerForKey("key" + std::to_string((t + 1) % kThreads));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    ASSERT_EQ(lines.size(), 2u * kThreads * kRounds);
    const std::regex whole(R"(\d+\.\d{3} (log "thread \d line \d+"|defaults set key\d \d+))");
    for (const auto& line : lines) {
        ASSERT_TRUE(std::regex_match(line, whole)) << line;
    }
    EXPECT_EQ(log.lines().size(), std::size_t{kThreads * kRounds});
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(store.integerForKey("key" + std::to_string(t)), kRounds - 1);
    }
}

TEST(TraceThreads, WorkPostedFromOtherThreadsRunsOnceOnTheMainThread) {
    VirtualRunLoop loop;
    std::atomic<int> finished{0};
    int ran = 0;  // touched by the main thread only, through the posted tasks
    const auto mainThread = std::this_thread::get_id();
    bool allOnMain = true;

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                loop.postToMain([&] {
                    ++ran;
                    allOnMain = allOnMain && std::this_thread::get_id() == mainThread;
                });
            }
            ++finished;
        });
    }
    while (finished.load() < kThreads) {
        loop.advanceBy(1000);
    }
    for (auto& thread : threads) {
        thread.join();
    }
    loop.runPending();
    EXPECT_EQ(ran, kThreads * kRounds);
    EXPECT_TRUE(allOnMain);
}

}  // namespace
}  // namespace strumwise::platform::headless
