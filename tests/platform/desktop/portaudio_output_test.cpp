#include "platform/desktop/portaudio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
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

class LinesLog : public Log {
  public:
    void write(std::string_view line) override {
        std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
    }
    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// A render callback that counts the frames it is asked for and checks the buffer it gets.
struct FrameCounter {
    std::atomic<std::uint64_t> frames{0};
    std::atomic<bool> badBuffer{false};

    static std::int32_t render(void* context, std::uint32_t numberFrames, AudioBufferList& io) {
        auto& self = *static_cast<FrameCounter*>(context);
        if (io.numberBuffers != 1 || io.buffers[0].numberChannels != 2 ||
            io.buffers[0].dataByteSize != numberFrames * 4 || io.buffers[0].data == nullptr) {
            self.badBuffer = true;
            return 0;
        }
        auto* samples = static_cast<std::int16_t*>(io.buffers[0].data);
        for (std::uint32_t i = 0; i < 2 * numberFrames; ++i) {
            samples[i] = 0;
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

std::string skipReason(const LinesLog& log) {
    const auto lines = log.lines();
    return "no audio output device (" + (lines.empty() ? std::string("no reason") : lines.back()) +
           "); scripts/test_services.sh starts a PulseAudio null sink";
}

TEST(PortAudioOutput, PullsFramesFromTheCallbackOnlyWhileStarted) {
    keepPortAudio();
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    auto unit = factory.newOutputUnit();
    if (unit == nullptr) {
        GTEST_SKIP() << skipReason(log);
    }
    FrameCounter counter;
    ASSERT_EQ(unit->setStreamFormat(kStereo16), 0);
    ASSERT_EQ(unit->setRenderCallback(&FrameCounter::render, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);
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
    EXPECT_TRUE(log.lines().empty());
    // Destroying a playing unit closes its stream.
}

TEST(PortAudioOutput, RefusesWhatItCannotPlayAndChangesOnceInitialized) {
    keepPortAudio();
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    auto unit = factory.newOutputUnit();
    if (unit == nullptr) {
        GTEST_SKIP() << skipReason(log);
    }
    StreamFormat mono = kStereo16;
    mono.channelsPerFrame = 1;
    mono.bytesPerFrame = mono.bytesPerPacket = 2;
    EXPECT_NE(unit->setStreamFormat(mono), 0);
    StreamFormat floats = kStereo16;
    floats.bitsPerChannel = 32;
    EXPECT_NE(unit->setStreamFormat(floats), 0);

    EXPECT_NE(unit->initialize(), 0) << "no render callback yet";
    EXPECT_NE(unit->start(), 0) << "not initialized";

    FrameCounter counter;
    ASSERT_EQ(unit->setStreamFormat(kStereo16), 0);
    ASSERT_EQ(unit->setRenderCallback(&FrameCounter::render, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);
    EXPECT_EQ(unit->initialize(), 0) << "initializing twice is harmless";
    EXPECT_NE(unit->setRenderCallback(&FrameCounter::render, nullptr), 0);
    EXPECT_NE(unit->setStreamFormat(kStereo16), 0);
}

TEST(PortAudioOutput, WithoutAnyDeviceTheFactoryLogsWhyAndAnswersNothing) {
    // Point the sound server somewhere empty before PortAudio looks for devices. ctest runs
    // every test in its own process; run alone, the variable is restored below.
    if (gPortAudio != nullptr) {
        GTEST_SKIP()
            << "PortAudio was started earlier in this process (ctest runs each test alone)";
    }
    const char* previous = std::getenv("PULSE_SERVER");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("PULSE_SERVER", "unix:/nonexistent/strumwise-no-server", 1);
    keepPortAudio();
    LinesLog log;
    std::unique_ptr<AudioOutputUnit> unit;
    {
        PortAudioOutputUnitFactory factory(log);
        unit = factory.newOutputUnit();
    }
    if (previous != nullptr) {
        setenv("PULSE_SERVER", saved.c_str(), 1);
    } else {
        unsetenv("PULSE_SERVER");
    }
    if (unit != nullptr) {
        GTEST_SKIP() << "an output device other than the sound server exists";
    }
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_NE(log.lines()[0].find("reference tones stay silent"), std::string::npos);
}

}  // namespace
}  // namespace strumwise::platform::desktop
