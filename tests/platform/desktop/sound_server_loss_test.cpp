// A sound server that dies under the tuner. Each scenario runs in a fresh process of this test
// binary with a PulseAudio of its own: PortAudio looks for devices once per process, and
// killing a server must leave the one the other tests share alone. A scenario that hangs is
// killed after a generous while and fails.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/desktop_window.h"
#include "platform/desktop/portaudio_capture.h"
#include "platform/desktop/qt_storyboard.h"
#include "platform/desktop/qt_user_defaults.h"
#include "platform/headless/english_texts.h"
#include "private_sound_server.h"
#include "qt_test_app.h"
#include "screen/view_controller.h"
#include "support/test_signals.h"

namespace strumwise::platform::desktop {
namespace {

using testing::PrivateSoundServer;

void runScenario(const std::string& name) {
    if (!PrivateSoundServer::available()) {
        GTEST_SKIP() << "pulseaudio and pactl are needed for a sound server of the test's own";
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "timeout -s KILL 120 '" + self +
                                "' --gtest_also_run_disabled_tests "
                                "--gtest_filter=SoundServerLossScenario.DISABLED_" +
                                name + " 2>&1";
    FILE* child = ::popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string output;
    char chunk[4096];
    while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, child)) {
        output.append(chunk, got);
    }
    const int status = ::pclose(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

std::string english(std::string_view key) {
    return std::string(headless::englishText(key, "").value_or("?"));
}

struct LinesLog : Log {
    std::mutex mutex;
    std::string text;
    void write(std::string_view line) override {
        std::lock_guard lock(mutex);
        (text += line) += '\n';
    }
    std::string all() {
        std::lock_guard lock(mutex);
        return text;
    }
};

// The pitch of every block that carries a tone from end to end, as it arrives.
struct PitchCollector {
    std::mutex mutex;
    std::condition_variable arrived;
    std::size_t blocks = 0;
    std::vector<double> pitches;

    static void callback(void* userData, AudioInputQueue& queue, AudioQueueBuffer& buffer) {
        auto* self = static_cast<PitchCollector*>(userData);
        const auto* samples = static_cast<const std::int16_t*>(buffer.audioData);
        const std::vector<std::int16_t> block(samples, samples + buffer.byteSize / 2);
        const auto loud = [&](std::size_t from) {
            for (std::size_t i = from; i < from + 128 && i < block.size(); ++i) {
                if (std::abs(block[i]) > 1000) {
                    return true;
                }
            }
            return false;
        };
        {
            std::lock_guard lock(self->mutex);
            ++self->blocks;
            if (block.size() >= 256 && loud(0) && loud(block.size() - 128)) {
                self->pitches.push_back(strumwise::testing::crossingFrequency(block, 14039.0));
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

template <typename Predicate>
bool eventually(Predicate done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

TEST(SoundServerLoss, TheWindowAnswersForksAndSigtermAfterTheServerDies) {
    runScenario("TheWindowAnswersForksAndSigtermAfterTheServerDies");
}

TEST(SoundServerLoss, CaptureResumesAtPitchWhenTheServerReturns) {
    runScenario("CaptureResumesAtPitchWhenTheServerReturns");
}

TEST(SoundServerLossScenario, DISABLED_TheWindowAnswersForksAndSigtermAfterTheServerDies) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.start());
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    strumwise::testing::qtTestApp();
    app::DesktopWindowConfig config;
    config.screen = screenProfile(0, 667);
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

TEST(SoundServerLossScenario, DISABLED_CaptureResumesAtPitchWhenTheServerReturns) {
    PrivateSoundServer server;
    ASSERT_TRUE(server.start());
    const std::string tone = server.dir() + "/tone.wav";
    ASSERT_EQ(
        std::system(("sox -q -n -r 44100 -c 1 -b 16 " + tone + " synth 60 sawtooth 293.66 vol 0.5")
                        .c_str()),
        0);
    LinesLog log;
    PitchCollector collector;
    PortAudioInputQueueFactory factory(log);
    const StreamFormat format{14039.0, kFormatLinearPCM, 12, 2, 1, 2, 1, 16, 0};
    auto queue = factory.newInput(format, &PitchCollector::callback, &collector);
    ASSERT_NE(queue, nullptr) << log.all();
    for (int i = 0; i < 3; ++i) {
        queue->enqueueBuffer(*queue->allocateBuffer(8192));
    }
    queue->start();
    ASSERT_TRUE(collector.waitUntil([](auto& c) { return c.blocks > 0; })) << log.all();

    server.kill();
    ASSERT_TRUE(eventually([&] { return queue->reconnecting(); })) << log.all();
    ASSERT_TRUE(server.start());
    ASSERT_EQ(std::system(("paplay " + tone + " >/dev/null 2>&1 &").c_str()), 0);
    // The tone comes back through the same queue, at its pitch, with no help from the caller.
    EXPECT_TRUE(collector.waitUntil([](auto& c) {
        for (const double hz : c.pitches) {
            if (std::abs(hz - 293.66) <= 0.5) {
                return true;
            }
        }
        return false;
    })) << log.all();
    EXPECT_TRUE(eventually([&] { return !queue->reconnecting(); }));
    EXPECT_NE(log.all().find("trying the input again every 2 s"), std::string::npos) << log.all();
    EXPECT_NE(log.all().find("Audio capture resumed"), std::string::npos) << log.all();
    queue.reset();
}

}  // namespace
}  // namespace strumwise::platform::desktop
