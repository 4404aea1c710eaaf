#pragma once

// What the sound-server scenarios share besides the server itself: the capture's format, a
// collector of the pitches it hears, and a tuner window with the labels the scenarios read.

#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "adapters/desktop/system/screen_profile.h"
#include "adapters/desktop/views/qt_storyboard.h"
#include "adapters/headless/english_texts.h"
#include "app/desktop_window.h"
#include "base/level_meter.h"
#include "platform/audio_input.h"
#include "platform/stream_format.h"
#include "private_sound_server.h"
#include "qt_test_app.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"

namespace strumwise::testing {

inline constexpr platform::StreamFormat kCaptureFormat{
    14039.0, platform::kFormatLinearPCM, 12, 2, 1, 2, 1, 16, 0};
inline constexpr std::uint32_t kCaptureBufferBytes = 8192;

// Checks every delivered block as it arrives, keeps the pitch of every block that carries a tone
// from end to end (where a tone starts or stops inside a block, the step from or to silence adds
// a crossing that is no period), and re-enqueues the buffer, as the listener does.
struct PitchCollector {
    std::mutex mutex;
    std::condition_variable arrived;
    std::size_t blocks = 0;
    std::size_t partialBlocks = 0;
    std::size_t misMetered = 0;
    std::vector<double> pitches;

    static void callback(void* userData, platform::AudioInputQueue& queue,
                         platform::AudioQueueBuffer& buffer) {
        auto* self = static_cast<PitchCollector*>(userData);
        const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
        const std::span<const std::int16_t> block(samples, buffer.byteSize / 2);
        platform::LevelMeterState meter;
        queue.currentLevelMeter(&meter, 1);
        // The meter reads the block just filled.
        const platform::LevelMeterState measured = measureLevel(block);
        const auto loud = [](std::span<const std::int16_t> part) {
            return std::any_of(part.begin(), part.end(),
                               [](std::int16_t sample) { return std::abs(sample) > 1000; });
        };
        {
            std::lock_guard lock(self->mutex);
            ++self->blocks;
            self->partialBlocks += block.size() != kCaptureBufferBytes / 2;
            self->misMetered += meter.averagePower != measured.averagePower ||
                                meter.peakPower != measured.peakPower;
            if (block.size() >= 256 && loud(block.first(128)) && loud(block.last(128))) {
                self->pitches.push_back(
                    crossingFrequency(std::vector<std::int16_t>(block.begin(), block.end()),
                                      kCaptureFormat.sampleRate));
            }
        }
        self->arrived.notify_all();
        queue.enqueueBuffer(buffer);
    }

    template <typename Predicate>
    bool waitUntil(Predicate done) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, std::chrono::seconds(30), [&] { return done(*this); });
    }

    // How many of the blocks heard so far read within `tolerance` of `hertz`; under the lock.
    long near(double hertz, double tolerance) const {
        return std::count_if(pitches.begin(), pitches.end(),
                             [&](double heard) { return std::abs(heard - hertz) <= tolerance; });
    }
};

inline std::string english(std::string_view key) {
    return std::string(platform::headless::englishText(key, "").value_or("?"));
}

// A tuner window on a phone's screen, with a configuration folder of its own, and the labels the
// scenarios read.
struct TunerWindow {
    explicit TunerWindow(app::DesktopTrace trace = app::DesktopTrace::Off)
        : app(configuration(trace)) {}

    bool launch() {
        if (!app.launch()) {
            return false;
        }
        root = app.layout()->rootWidget();
        bannerLabel = root->findChild<QLabel*>(QStringLiteral("audioStatusLabel"));
        frequency = root->findChild<QLabel*>(QStringLiteral("freq_label"));
        return bannerLabel != nullptr && frequency != nullptr;
    }

    std::string banner() const { return bannerLabel->text().toStdString(); }
    // Whether the banner comes to say the text of `key` (nothing for an empty key) in time.
    bool bannerSays(std::string_view key, int timeoutMs) const {
        const std::string wanted = key.empty() ? "" : english(key);
        return processEventsUntil([&] { return banner() == wanted; }, timeoutMs);
    }

    // Presses a fork for a second, then stops the tone and lets it ramp out.
    void playFork(const std::string& action) {
        app.controller()->sendAction(action);
        processEventsUntil([] { return false; }, 1000);
        app.controller()->sendAction("stopFreqPlay:");
        processEventsUntil([] { return false; }, 500);
    }

    static app::DesktopWindowConfig configuration(app::DesktopTrace trace) {
        app::DesktopWindowConfig config;
        config.screen = platform::desktop::screenProfile(0, 667);
        config.trace = trace;
        return config;
    }

    TestConfigHome home;  // first: the window reads its defaults from here
    app::DesktopWindowApp app;
    QWidget* root = nullptr;
    QLabel* bannerLabel = nullptr;
    QLabel* frequency = nullptr;
};

}  // namespace strumwise::testing
