#include "platform/desktop/portaudio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop/portaudio_system.h"

namespace strumwise::platform::desktop {
namespace {

constexpr StreamFormat kStereo16{44100.0, kFormatLinearPCM, 12, 4, 1, 4, 2, 16, 0};

// Once a test has started PortAudio it stays initialised for the rest of the process, as it does
// in the application. Terminating it makes ALSA unload its plugins, and LeakSanitizer would then
// report what their libraries allocated while loading as leaks of ours.
std::shared_ptr<PortAudioSystem>* gPortAudio = nullptr;

void keepPortAudio() {
    if (gPortAudio == nullptr) {
        gPortAudio = new std::shared_ptr<PortAudioSystem>(PortAudioSystem::acquire());
    }
}

// The factory and the unit log on the main thread only.
struct LinesLog : Log {
    std::vector<std::string> lines;
    void write(std::string_view line) override { lines.emplace_back(line); }
};

// A render callback that counts the frames it is asked for and checks the buffer it gets.
struct FrameCounter {
    std::atomic<std::uint64_t> frames{0};
    std::atomic<bool> badBuffer{false};

    static std::int32_t render(void* context, std::uint32_t numberFrames, AudioBufferList& io) {
        auto& self = *static_cast<FrameCounter*>(context);
        const AudioBuffer& out = io.buffers[0];
        self.badBuffer = self.badBuffer || io.numberBuffers != 1 || out.numberChannels != 2 ||
                         out.dataByteSize != numberFrames * 4 || out.data == nullptr;
        if (out.data != nullptr) {
            std::memset(out.data, 0, out.dataByteSize);  // silence on a real device
        }
        self.frames += numberFrames;
        return 0;
    }

    // Waits, without a deadline the test depends on, until more than `count` frames were asked.
    bool waitBeyond(std::uint64_t count) const {
        for (int i = 0; i < 1000 && frames.load() <= count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return frames.load() > count;
    }
};

TEST(PortAudioOutput, PullsFramesFromTheCallbackOnlyWhileStarted) {
    keepPortAudio();
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    auto unit = factory.newOutputUnit();
    if (unit == nullptr) {
        GTEST_SKIP() << "no audio output device (" << (log.lines.empty() ? "" : log.lines.back())
                     << "); scripts/test_services.sh starts a PulseAudio null sink";
    }
    FrameCounter counter;
    StreamFormat mono = kStereo16;
    mono.channelsPerFrame = 1;
    EXPECT_NE(unit->setStreamFormat(mono), 0);
    EXPECT_NE(unit->initialize(), 0) << "no render callback yet";
    ASSERT_EQ(unit->setStreamFormat(kStereo16), 0);
    ASSERT_EQ(unit->setRenderCallback(&FrameCounter::render, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);
    EXPECT_NE(unit->setRenderCallback(&FrameCounter::render, nullptr), 0) << "once open";
    EXPECT_EQ(unit->stop(), 0) << "stop before any start";
    EXPECT_EQ(counter.frames.load(), 0u);

    EXPECT_EQ(unit->start(), 0);
    EXPECT_EQ(unit->start(), 0) << "a second start while playing";
    EXPECT_TRUE(counter.waitBeyond(4410));

    EXPECT_EQ(unit->stop(), 0);
    const std::uint64_t stoppedAt = counter.frames.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(counter.frames.load(), stoppedAt) << "no callback after stop has returned";
    EXPECT_EQ(unit->stop(), 0) << "a second stop";

    EXPECT_EQ(unit->start(), 0) << "a restart";
    EXPECT_TRUE(counter.waitBeyond(stoppedAt));
    EXPECT_FALSE(counter.badBuffer.load());
    EXPECT_FALSE(unit->startFailed());
    EXPECT_TRUE(log.lines.empty());
    // Destroying a playing unit closes its stream.
}

}  // namespace
}  // namespace strumwise::platform::desktop
