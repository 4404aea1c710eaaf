// PortAudio capture against a real device: the monitor of the PulseAudio null sink that
// scripts/test_services.sh starts. A tone played into the sink with paplay comes back through
// the capture queue. Tests that need a device skip when there is none.

#include "platform/desktop/portaudio_capture.h"

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
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "base/level_meter.h"
#include "platform/desktop/portaudio_system.h"

namespace strumwise::platform::desktop {
namespace {

constexpr StreamFormat kCaptureFormat{14039.0, kFormatLinearPCM, 12, 2, 1, 2, 1, 16, 0};
constexpr std::uint32_t kBufferBytes = 8192;

class CaptureLog : public Log {
  public:
    void write(std::string_view line) override {
        std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
    }
    std::string all() {
        std::lock_guard lock(mutex_);
        std::string text;
        for (const std::string& line : lines_) {
            text += line + "\n";
        }
        return text;
    }
    std::size_t count() {
        std::lock_guard lock(mutex_);
        return lines_.size();
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

// Collects every delivered block and re-enqueues its buffer, as the listener does.
struct BlockCollector {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::vector<std::int16_t>> blocks;
    std::vector<std::uint32_t> byteSizes;
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
            self->byteSizes.push_back(buffer.byteSize);
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

// The frequency of a clean periodic wave from its rising zero crossings (with a little
// hysteresis), measured between the first and the last; 0 with fewer than two crossings.
double crossingFrequency(const std::vector<std::int16_t>& samples, double rate) {
    long first = -1;
    long last = -1;
    int crossings = 0;
    bool below = false;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        if (samples[n] < -500) {
            below = true;
        } else if (below && samples[n] >= 0) {
            below = false;
            last = static_cast<long>(n);
            first = first < 0 ? last : first;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / static_cast<double>(last - first);
}

bool haveInputDevice() {
    return PortAudioSystem::acquire()->ok() && Pa_GetDefaultInputDevice() != paNoDevice;
}

void startWithThreeBuffers(AudioInputQueue& queue) {
    for (int i = 0; i < 3; ++i) {
        AudioQueueBuffer* buffer = queue.allocateBuffer(kBufferBytes);
        ASSERT_NE(buffer, nullptr);
        queue.enqueueBuffer(*buffer);
    }
    queue.setLevelMeteringEnabled(true);
    queue.start();
}

class PortAudioCaptureTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (!haveInputDevice()) {
            GTEST_SKIP() << "no audio input device; scripts/test_services.sh starts a PulseAudio "
                            "null sink whose monitor is one";
        }
    }
    CaptureLog log;
    BlockCollector collector;
};

TEST_P(PortAudioCaptureTest, DeliversWholeBuffersAndRefillsReEnqueuedOnes) {
    PortAudioInputQueueFactory factory(log, {.device = std::nullopt, .alwaysResample = GetParam()});
    auto queue = factory.newInput(kCaptureFormat, &BlockCollector::callback, &collector);
    ASSERT_NE(queue, nullptr) << log.all();
    EXPECT_EQ(queue->isRunning(), false);
    startWithThreeBuffers(*queue);
    EXPECT_EQ(queue->isRunning(), true);

    // More blocks than buffers: re-enqueued buffers come back filled.
    ASSERT_TRUE(collector.waitFor(5)) << log.all();
    queue->stop();
    EXPECT_EQ(queue->isRunning(), false);
    queue.reset();

    std::lock_guard lock(collector.mutex);
    for (const std::uint32_t size : collector.byteSizes) {
        EXPECT_EQ(size, kBufferBytes);
    }
    EXPECT_EQ(log.count(), 0u) << log.all();
}

// A null sink of the test's own, whose monitor the capture hears through PULSE_SOURCE, so that
// tones other tests play into the default sink at the same time stay out.
class PrivateSink {
  public:
    explicit PrivateSink(const std::string& name) : name_(name) {
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
    const std::string& name() const { return name_; }

  private:
    std::string name_;
    int module_ = -1;
};

TEST_P(PortAudioCaptureTest, ToneIntoTheSinkComesBackAtItsPitchAndIsMetered) {
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
    startWithThreeBuffers(*queue);
    ASSERT_TRUE(collector.waitFor(1)) << log.all();
    const int played = std::system(("paplay --device=" + name + " " + tone).c_str());
    queue.reset();
    std::filesystem::remove(tone);
    ASSERT_EQ(played, 0);

    // Every block captured while the tone sounded repeats at its pitch: the capture runs at
    // 14039 Hz, resampled or not.
    std::lock_guard lock(collector.mutex);
    int toneBlocks = 0;
    for (std::size_t i = 0; i < collector.blocks.size(); ++i) {
        const std::vector<std::int16_t>& block = collector.blocks[i];
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
            ++toneBlocks;
            EXPECT_NEAR(crossingFrequency(block, 14039.0), 293.66, 0.3);
        }
    }
    EXPECT_GE(toneBlocks, 5);
    EXPECT_GE(collector.blocks.size(), 8u);
    EXPECT_EQ(log.count(), 0u) << log.all();
}

INSTANTIATE_TEST_SUITE_P(DirectAndResampled, PortAudioCaptureTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "Resampled" : "Direct";
                         });

TEST(PortAudioCaptureFactory, RejectsAnImpossibleDeviceOrFormatWithOneLogLine) {
    if (!PortAudioSystem::acquire()->ok()) {
        GTEST_SKIP() << "PortAudio cannot start here";
    }
    CaptureLog log;
    BlockCollector collector;
    PortAudioInputQueueFactory noSuchDevice(log, {.device = 9999, .alwaysResample = false});
    EXPECT_EQ(noSuchDevice.newInput(kCaptureFormat, &BlockCollector::callback, &collector),
              nullptr);
    EXPECT_EQ(log.all(), "Audio input device 9999 does not exist, the tuner hears nothing\n");

    CaptureLog formatLog;
    PortAudioInputQueueFactory factory(formatLog);
    StreamFormat stereo = kCaptureFormat;
    stereo.channelsPerFrame = 2;
    EXPECT_EQ(factory.newInput(stereo, &BlockCollector::callback, &collector), nullptr);
    EXPECT_EQ(formatLog.count(), 1u);
}

TEST(PortAudioCaptureFactoryDeathTest, WithoutASoundServerTheFactoryAnswersNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A fresh process, so that PortAudio first looks for devices with the server unreachable.
    EXPECT_EXIT(
        {
            setenv("PULSE_SERVER", "unix:/nonexistent/strumwise-no-server", 1);
            CaptureLog log;
            BlockCollector collector;
            PortAudioInputQueueFactory factory(log);
            auto queue = factory.newInput(kCaptureFormat, &BlockCollector::callback, &collector);
            std::fputs(log.all().c_str(), stderr);
            std::fflush(stderr);
            // _Exit: PortAudio stays initialised, as in the application.
            std::_Exit(queue == nullptr && log.count() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "the tuner hears nothing");
}

}  // namespace
}  // namespace strumwise::platform::desktop
