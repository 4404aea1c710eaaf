// PortAudio capture and output, and a sound server that dies under the tuner. Each scenario runs
// in a fresh process of this test binary with a PulseAudio of its own, whose only sink's monitor
// is the default input: PortAudio looks for devices once per process, no tone another test plays
// leaks in, and killing a server leaves the one the other tests share alone. A scenario that
// hangs is killed after a generous while and fails.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "app/desktop_window.h"
#include "base/level_meter.h"
#include "platform/desktop/portaudio_capture.h"
#include "platform/desktop/qt_storyboard.h"
#include "platform/desktop/qt_user_defaults.h"
#include "platform/headless/english_texts.h"
#include "private_sound_server.h"
#include "qt_test_app.h"
#include "screen/view_controller.h"
#include "support/lines_log.h"
#include "support/test_signals.h"

namespace strumwise::platform::desktop {
namespace {

using testing::LinesLog;
using testing::PrivateSoundServer;

constexpr StreamFormat kCaptureFormat{14039.0, kFormatLinearPCM, 12, 2, 1, 2, 1, 16, 0};
constexpr std::uint32_t kBufferBytes = 8192;

void runScenario(const std::string& name) {
    strumwise::testing::runScenario("SoundServerLossScenario", name);
}

std::string english(std::string_view key) {
    return std::string(headless::englishText(key, "").value_or("?"));
}

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

    static void callback(void* userData, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
        auto* self = static_cast<PitchCollector*>(userData);
        const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
        const std::span<const std::int16_t> block(samples, buffer.byteSize / 2);
        LevelMeterState meter;
        queue.currentLevelMeter(&meter, 1);
        // The meter reads the block just filled.
        const LevelMeterState measured = measureLevel(block);
        const auto loud = [](std::span<const std::int16_t> part) {
            return std::any_of(part.begin(), part.end(),
                               [](std::int16_t sample) { return std::abs(sample) > 1000; });
        };
        {
            std::lock_guard lock(self->mutex);
            ++self->blocks;
            self->partialBlocks += block.size() != kBufferBytes / 2;
            self->misMetered += meter.averagePower != measured.averagePower ||
                                meter.peakPower != measured.peakPower;
            if (block.size() >= 256 && loud(block.first(128)) && loud(block.last(128))) {
                self->pitches.push_back(strumwise::testing::crossingFrequency(
                    std::vector<std::int16_t>(block.begin(), block.end()), 14039.0));
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
};

long inTune(const std::vector<double>& pitches, double tolerance) {
    return std::count_if(pitches.begin(), pitches.end(),
                         [&](double hz) { return std::abs(hz - 293.66) <= tolerance; });
}

template <typename Predicate>
bool eventually(Predicate done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// Traced (--trace, --json) the window must show the same: the tracing decorators answer nothing
// themselves.
TEST(SoundServerLoss, TheWindowAnswersForksAndSigtermAfterTheServerDies) {
    runScenario("TheWindowAnswersForksAndSigtermAfterTheServerDies");
    runScenario("TheTracedWindowAnswersForksAndSigtermAfterTheServerDies");
}

// Direct: the server takes the capture's rate; resampled: the device's own rate through the
// resampler.
TEST(SoundServerLoss, CaptureHearsAToneAtItsPitchAndResumesWhenTheServerReturns) {
    runScenario("CaptureDirect");
    runScenario("CaptureResampled");
}

void windowOutageScenario(app::DesktopTrace trace) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.start());
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    strumwise::testing::qtTestApp();
    app::DesktopWindowConfig config;
    config.screen = screenProfile(0, 667);
    config.trace = trace;
    app::DesktopWindowApp window(std::move(config));
    ASSERT_TRUE(window.launch());
    auto* banner =
        window.layout()->rootWidget()->findChild<QLabel*>(QStringLiteral("audioStatusLabel"));
    ASSERT_NE(banner, nullptr);

    // Capturing (a string sounds into the server and the tuner shows its pitch), and a tone
    // played and stopped, with nothing to report.
    const std::string tone = server.dir() + "/string.wav";
    ASSERT_EQ(
        std::system(("sox -q -n -r 44100 -c 1 -b 16 " + tone +
                     " synth 60 sawtooth 293.66 vol 0.5 && (paplay " + tone + " >/dev/null 2>&1 &)")
                        .c_str()),
        0);
    auto* frequency =
        window.layout()->rootWidget()->findChild<QLabel*>(QStringLiteral("freq_label"));
    ASSERT_NE(frequency, nullptr);
    ASSERT_TRUE(strumwise::testing::processEventsUntil([&] { return !frequency->text().isEmpty(); },
                                                       30000));
    window.controller()->sendAction("playD293_6Hz:");
    strumwise::testing::processEventsUntil([] { return false; }, 1000);
    window.controller()->sendAction("stopFreqPlay:");
    strumwise::testing::processEventsUntil([] { return false; }, 500);
    EXPECT_TRUE(banner->text().isEmpty()) << banner->text().toStdString();
    EXPECT_EQ(banner->height(), 0);

    server.kill();
    EXPECT_TRUE(strumwise::testing::processEventsUntil(
        [&] { return banner->text().toStdString() == english("MicrophoneLost"); }, 20000))
        << banner->text().toStdString();
    QCoreApplication::processEvents();
    EXPECT_GT(banner->height(), 0);

    // A fork press with no server returns, and the player learns the tone cannot sound.
    window.controller()->sendAction("playB246_9Hz:");
    EXPECT_TRUE(strumwise::testing::processEventsUntil(
        [&] { return banner->text().toStdString() == english("NoAudioOutput"); }, 20000))
        << banner->text().toStdString();

    QTimer::singleShot(100, [] { ::raise(SIGTERM); });
    EXPECT_EQ(window.exec(), 0);
    const QtUserDefaults stored("com.strumwise.tuner",
                                QtUserDefaults::defaultFilePath("com.strumwise.tuner"));
    EXPECT_EQ(stored.integerForKey("numberOfRuns"), 1);
}

TEST(SoundServerLossScenario, DISABLED_TheWindowAnswersForksAndSigtermAfterTheServerDies) {
    windowOutageScenario(app::DesktopTrace::Off);
}
TEST(SoundServerLossScenario, DISABLED_TheTracedWindowAnswersForksAndSigtermAfterTheServerDies) {
    windowOutageScenario(app::DesktopTrace::Text);
}

// Whole metered buffers arrive and come back filled; a tone sounding into the server comes back
// at its pitch; when the server dies the same queue reconnects on its own and hears it again.
void captureScenario(bool alwaysResample) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.start());
    const std::string tone = server.dir() + "/tone.wav";
    // A sawtooth carries every harmonic, like a string.
    ASSERT_EQ(
        std::system(("sox -q -n -r 44100 -c 1 -b 16 " + tone + " synth 60 sawtooth 293.66 vol 0.5")
                        .c_str()),
        0);
    LinesLog log;
    PitchCollector collector;
    PortAudioInputQueueFactory factory(log, {.device = {}, .alwaysResample = alwaysResample});
    auto queue = factory.newInput(kCaptureFormat, &PitchCollector::callback, &collector);
    ASSERT_NE(queue, nullptr) << log.all();
    EXPECT_EQ(queue->isRunning(), false);
    for (int i = 0; i < 3; ++i) {
        queue->enqueueBuffer(*queue->allocateBuffer(kBufferBytes));
    }
    queue->setLevelMeteringEnabled(true);
    queue->start();
    EXPECT_EQ(queue->isRunning(), true);
    ASSERT_TRUE(collector.waitUntil([](auto& c) { return c.blocks > 0; })) << log.all();
    ASSERT_EQ(std::system(("paplay " + tone + " >/dev/null 2>&1 &").c_str()), 0);
    ASSERT_TRUE(collector.waitUntil([](auto& c) { return c.pitches.size() >= 8; })) << log.all();
    {
        // A wrong rate or a resampler fault moves every block; a block the server glitched
        // under load is not the capture's fault, so the pitch must hold in nearly all of them.
        std::lock_guard lock(collector.mutex);
        EXPECT_GE(inTune(collector.pitches, 0.3) * 4,
                  static_cast<long>(collector.pitches.size()) * 3);
        EXPECT_EQ(collector.partialBlocks, 0u);
        EXPECT_EQ(collector.misMetered, 0u);
        EXPECT_EQ(log.all(), "");
        collector.pitches.clear();
    }

    server.kill();
    ASSERT_TRUE(eventually([&] { return queue->reconnecting(); })) << log.all();
    ASSERT_TRUE(server.start());
    ASSERT_EQ(std::system(("paplay " + tone + " >/dev/null 2>&1 &").c_str()), 0);
    EXPECT_TRUE(collector.waitUntil([](auto& c) { return inTune(c.pitches, 0.5) > 0; }))
        << log.all();
    EXPECT_TRUE(eventually([&] { return !queue->reconnecting(); }));
    EXPECT_NE(log.all().find("trying the input again every 2 s"), std::string::npos) << log.all();
    EXPECT_NE(log.all().find("Audio capture resumed"), std::string::npos) << log.all();
    queue->stop();
    EXPECT_EQ(queue->isRunning(), false);
}

TEST(SoundServerLossScenario, DISABLED_CaptureDirect) {
    captureScenario(false);
}
TEST(SoundServerLossScenario, DISABLED_CaptureResampled) {
    captureScenario(true);
}

}  // namespace
}  // namespace strumwise::platform::desktop
