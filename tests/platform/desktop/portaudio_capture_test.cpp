// PortAudio capture against a real device: the monitor of the PulseAudio null sink that
// scripts/test_services.sh starts. A tone played into the sink with paplay comes back through
// the capture queue. Tests that need a device skip when there is none.

#include "platform/desktop/portaudio_capture.h"
#include "platform/desktop/portaudio_output.h"

#include <gtest/gtest.h>
#include <portaudio.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "base/level_meter.h"
#include "platform/desktop/portaudio_system.h"
#include "support/test_signals.h"

namespace strumwise::platform::desktop {
namespace {

constexpr StreamFormat kCaptureFormat{14039.0, kFormatLinearPCM, 12, 2, 1, 2, 1, 16, 0};
constexpr std::uint32_t kBufferBytes = 8192;

// Keeps every line, one per '\n'; PortAudio's threads may write while the test reads.
class CaptureLog : public Log {
  public:
    void write(std::string_view line) override {
        std::lock_guard lock(mutex_);
        (text_ += line) += '\n';
    }
    std::string all() {
        std::lock_guard lock(mutex_);
        return text_;
    }
    long count() { return std::ranges::count(all(), '\n'); }

  private:
    std::mutex mutex_;
    std::string text_;
};

// Collects every delivered block and re-enqueues its buffer, as the listener does.
struct BlockCollector {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::vector<std::int16_t>> blocks;
    std::vector<LevelMeterState> meters;  // as read in the callback for each block

    static void callback(void* userData, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
        auto* self = static_cast<BlockCollector*>(userData);
        {
            const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
            LevelMeterState meter;
            queue.currentLevelMeter(&meter, 1);
            std::lock_guard lock(self->mutex);
            self->meters.push_back(meter);
            self->blocks.emplace_back(samples, samples + buffer.byteSize / 2);
        }
        self->arrived.notify_all();
        queue.enqueueBuffer(buffer);
    }

    // Waits for `count` blocks in all; false when they do not come within a generous bound.
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(20),
                                [&] { return blocks.size() >= count; });
    }
};

class PortAudioCaptureTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (!PortAudioSystem::acquire()->ok() || Pa_GetDefaultInputDevice() == paNoDevice) {
            GTEST_SKIP() << "no audio input device; scripts/test_services.sh starts a PulseAudio "
                            "null sink whose monitor is one";
        }
    }
    CaptureLog log;
    BlockCollector collector;
};

// A null sink of the test's own, whose monitor the capture hears through PULSE_SOURCE, so that
// tones other tests play into the default sink at the same time stay out.
class PrivateSink {
  public:
    explicit PrivateSink(const std::string& name) {
        FILE* pactl = popen(("pactl load-module module-null-sink sink_name=" + name).c_str(), "r");
        if (pactl != nullptr) {
            if (std::fscanf(pactl, "%d", &module_) != 1) {
                module_ = -1;
            }
            pclose(pactl);
        }
        if (module_ >= 0) {
            setenv("PULSE_SOURCE", (name + ".monitor").c_str(), 1);
        }
    }
    ~PrivateSink() {
        unsetenv("PULSE_SOURCE");
        if (module_ >= 0) {
            const std::string unload = "pactl unload-module " + std::to_string(module_);
            if (std::system(unload.c_str()) != 0) {
                ADD_FAILURE() << "could not unload the test's null sink: " << unload;
            }
        }
    }
    bool ok() const { return module_ >= 0; }

  private:
    int module_ = -1;
};

// Whole buffers arrive, re-enqueued ones come back filled, and a tone played into the sink
// comes back at its pitch, metered block by block.
TEST_P(PortAudioCaptureTest, ToneIntoTheSinkComesBackAtItsPitchInWholeMeteredBuffers) {
    if (std::system("command -v paplay pactl sox >/dev/null") != 0) {
        GTEST_SKIP() << "paplay, pactl and sox are needed to play a tone into a sink";
    }
    const std::string name =
        "strumwise_capture_" + std::to_string(getpid()) + "_" + std::to_string(GetParam());
    PrivateSink sink(name);
    if (!sink.ok()) {
        GTEST_SKIP() << "the sound server cannot load a null sink for the test";
    }
    const std::string tone = (std::filesystem::temp_directory_path() / (name + ".wav")).string();
    // A sawtooth carries every harmonic, like a string.
    ASSERT_EQ(
        std::system(
            ("sox -q -n -r 44100 -c 1 -b 16 " + tone + " synth 3 sawtooth 293.66 vol 0.5").c_str()),
        0);

    PortAudioInputQueueFactory factory(log, {.device = std::nullopt, .alwaysResample = GetParam()});
    auto queue = factory.newInput(kCaptureFormat, &BlockCollector::callback, &collector);
    ASSERT_NE(queue, nullptr) << log.all();
    EXPECT_EQ(queue->isRunning(), false);
    for (int i = 0; i < 3; ++i) {
        queue->enqueueBuffer(*queue->allocateBuffer(kBufferBytes));
    }
    queue->setLevelMeteringEnabled(true);
    queue->start();
    EXPECT_EQ(queue->isRunning(), true);
    ASSERT_TRUE(collector.waitFor(1)) << log.all();
    const int played = std::system(("paplay --device=" + name + " " + tone).c_str());
    queue->stop();
    EXPECT_EQ(queue->isRunning(), false);
    queue.reset();
    std::filesystem::remove(tone);
    ASSERT_EQ(played, 0);

    // Every block captured while the tone sounded repeats at its pitch: the capture runs at
    // 14039 Hz, resampled or not.
    std::lock_guard lock(collector.mutex);
    std::vector<double> toneFrequencies;
    for (std::size_t i = 0; i < collector.blocks.size(); ++i) {
        const std::vector<std::int16_t>& block = collector.blocks[i];
        EXPECT_EQ(block.size(), kBufferBytes / 2);  // whole buffers only
        // The meter reads the block just filled.
        EXPECT_EQ(collector.meters[i].averagePower, measureLevel(block).averagePower);
        EXPECT_EQ(collector.meters[i].peakPower, measureLevel(block).peakPower);
        // Only blocks with the tone from end to end: where it starts or stops inside a block,
        // the step from or to silence adds a crossing that is no period.
        const auto loud = [](std::span<const std::int16_t> part) {
            return std::any_of(part.begin(), part.end(),
                               [](std::int16_t sample) { return std::abs(sample) > 1000; });
        };
        const std::span<const std::int16_t> samples(block);
        if (samples.size() >= 256 && loud(samples.first(128)) && loud(samples.last(128))) {
            toneFrequencies.push_back(testing::crossingFrequency(block, 14039.0));
        }
    }
    // The sound server shares the machine with the rest of the suite, and a block it glitched
    // under load (a dropout inside the tone) is not the capture's fault. A wrong rate or a
    // resampler fault moves every block, so the pitch must hold in nearly all of them.
    ASSERT_GE(toneFrequencies.size(), 5u);
    const auto inTune = std::count_if(toneFrequencies.begin(), toneFrequencies.end(),
                                      [](double hz) { return std::abs(hz - 293.66) <= 0.3; });
    EXPECT_GE(inTune * 4, static_cast<long>(toneFrequencies.size()) * 3)
        << inTune << " of " << toneFrequencies.size() << " tone blocks at 293.66 Hz";
    EXPECT_GE(collector.blocks.size(), 8u);  // more than the three buffers: they were refilled
    EXPECT_EQ(log.all(), "");
}

INSTANTIATE_TEST_SUITE_P(DirectAndResampled, PortAudioCaptureTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "Resampled" : "Direct";
                         });

TEST(PortAudioDeathTest, WithoutASoundServerBothFactoriesSayWhyAndAnswerNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A fresh process, so that PortAudio first looks for devices with the server unreachable.
    EXPECT_EXIT(
        {
            setenv("PULSE_SERVER", "unix:/nonexistent/strumwise-no-server", 1);
            CaptureLog log;
            BlockCollector collector;
            PortAudioInputQueueFactory capture(log);
            PortAudioOutputUnitFactory output(log);
            const bool none = capture.newInput(kCaptureFormat, &BlockCollector::callback,
                                               &collector) == nullptr &&
                              output.newOutputUnit() == nullptr;
            const std::string text = log.all();
            std::fputs(text.c_str(), stderr);
            std::fflush(stderr);
            // _Exit: PortAudio stays initialised, as in the application.
            std::_Exit(none && log.count() == 2 &&
                               text.find("reference tones stay silent") != std::string::npos
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "the tuner hears nothing");
}

}  // namespace
}  // namespace strumwise::platform::desktop
