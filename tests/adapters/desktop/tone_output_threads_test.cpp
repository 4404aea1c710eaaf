// The reference tones' output unit on a sound server of the test's own, with the threads that
// share it (the caller's, the unit's worker and the client library's audio thread) run under
// ThreadSanitizer, under PulseAudio and under PipeWire. Each test skips with a reason when its
// server is not installed.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "adapters/desktop/audio/portaudio_output.h"
#include "adapters/desktop/audio/pulse_tone_stream.h"
#include "private_sound_server.h"
#include "support/lines_log.h"

namespace strumwise::platform::desktop {
namespace {

using testing::eventually;
using testing::LinesLog;
using testing::PrivateSoundServer;

// A render callback that counts the frames it is asked for and checks the buffer it gets; it
// can be made late once, as a busy machine makes it.
struct FrameCounter {
    std::atomic<std::uint64_t> frames{0};
    std::atomic<bool> badBuffer{false};
    std::atomic<bool> stallOnce{false};

    static std::int32_t render(void* context, std::uint32_t numberFrames, AudioBufferList& io) {
        auto& self = *static_cast<FrameCounter*>(context);
        const AudioBuffer& out = io.buffers[0];
        self.badBuffer = self.badBuffer || io.numberBuffers != 1 || out.numberChannels != 2 ||
                         out.dataByteSize != numberFrames * 4 || out.data == nullptr;
        if (out.data != nullptr) {
            std::memset(out.data, 0, out.dataByteSize);  // silence on a real device
        }
        self.frames += numberFrames;
        if (self.stallOnce.exchange(false)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        }
        return 0;
    }
};

constexpr StreamFormat kStereo{44100.0, kFormatLinearPCM, 12, 4, 1, 4, 2, 16, 0};

// Each test has a sound server of its own, so that killing it leaves the machine's alone, and
// runs under each kind of server.
class ToneOutput : public ::testing::TestWithParam<testing::SoundServerKind> {
  protected:
    void SetUp() override {
        if (!PrivateSoundServer::available(GetParam())) {
            GTEST_SKIP() << testing::nameOf(GetParam())
                         << " is not installed here (scripts/setup.sh installs it)";
        }
        ASSERT_TRUE(server.start()) << server.logs();
    }

    // A unit of `factory` in stereo that renders into `counter`, opened; null if it is not.
    static std::unique_ptr<AudioOutputUnit> openUnit(PortAudioOutputUnitFactory& factory,
                                                     FrameCounter& counter) {
        auto unit = factory.newOutputUnit();
        if (unit == nullptr || unit->setStreamFormat(kStereo) != 0 ||
            unit->setRenderCallback(&FrameCounter::render, &counter) != 0 ||
            unit->initialize() != 0) {
            return nullptr;
        }
        return unit;
    }

    // Starts a unit of `factory` that can play nothing, twice, and answers what `log` then holds;
    // the unit's render callback must never have run.
    static std::string logOfFailedStarts(PortAudioOutputUnitFactory& factory, LinesLog& log) {
        FrameCounter counter;
        auto unit = openUnit(factory, counter);
        EXPECT_NE(unit, nullptr) << log.all();
        if (unit == nullptr) {
            return log.all();
        }
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(unit->start(), 0);
            EXPECT_TRUE(eventually([&] { return unit->startFailed(); }));
        }
        EXPECT_EQ(counter.frames.load(), 0u);
        return log.all();
    }

    PrivateSoundServer server{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(Under, ToneOutput, ::testing::ValuesIn(testing::kEverySoundServer),
                         testing::kindCaseName);

TEST_P(ToneOutput, PullsFramesOnlyWhileStartedAndPlaysOnThroughALateRefill) {
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    auto unit = factory.newOutputUnit();
    ASSERT_NE(unit, nullptr) << log.all();
    FrameCounter counter;
    StreamFormat mono = kStereo;
    mono.channelsPerFrame = 1;
    EXPECT_NE(unit->setStreamFormat(mono), 0);
    EXPECT_NE(unit->initialize(), 0) << "no render callback yet";
    ASSERT_EQ(unit->setStreamFormat(kStereo), 0);
    ASSERT_EQ(unit->setRenderCallback(&FrameCounter::render, &counter), 0);
    ASSERT_EQ(unit->initialize(), 0);
    EXPECT_NE(unit->setRenderCallback(&FrameCounter::render, nullptr), 0) << "once open";
    EXPECT_EQ(unit->stop(), 0) << "stop before any start";
    EXPECT_EQ(counter.frames.load(), 0u);

    EXPECT_EQ(unit->start(), 0);
    EXPECT_EQ(unit->start(), 0) << "a second start while playing";
    EXPECT_TRUE(eventually([&] { return counter.frames.load() > 4410; }));
    EXPECT_EQ(unit->stop(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the 5 ms ramp out
    const std::uint64_t stoppedAt = counter.frames.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(counter.frames.load(), stoppedAt) << "no callback once the tone has ramped out";
    // The stream plays silence between presses, so that the next one is heard at once.
    EXPECT_EQ(std::system("test \"$(pactl list short sink-inputs | wc -l)\" = 1"), 0);
    EXPECT_EQ(unit->stop(), 0) << "a second stop";

    EXPECT_EQ(unit->start(), 0) << "a restart";
    EXPECT_TRUE(eventually([&] { return counter.frames.load() > stoppedAt; }));

    // A refill far too late for the server's queue costs that moment's sound, never the stream:
    // the same stream plays on, with nothing to report, instead of being opened anew.
    const std::string playing = testing::commandOutput("pactl list short sink-inputs | cut -f1");
    ASSERT_FALSE(playing.empty());
    counter.stallOnce = true;
    EXPECT_TRUE(eventually([&] { return !counter.stallOnce.load(); }));
    const std::uint64_t stalledAt = counter.frames.load();
    EXPECT_TRUE(eventually([&] { return counter.frames.load() > stalledAt + 44100; }));
    EXPECT_EQ(testing::commandOutput("pactl list short sink-inputs | cut -f1"), playing);
    EXPECT_FALSE(counter.badBuffer.load());
    EXPECT_FALSE(unit->startFailed());
    EXPECT_EQ(log.all(), "");
    // Destroying a playing unit closes its stream.
}

// What the server keeps queued for the stream rides out the stalls a busy machine gives the
// tones' thread (the tone stuttered in bench/fork_latency.py with 20 to 30 ms queued) and is still
// heard at once (well under 0.15 s); and the server never waits for a queue to fill before it
// plays, at the start or after an underrun, so that a late refill costs only that moment's
// sound.
TEST_P(ToneOutput, TheServerKeepsEnoughQueuedForABusyMachineAndNeverWaitsToPlay) {
    const auto silence = [](void*, std::int16_t* frames, std::uint32_t count) {
        std::memset(frames, 0, std::size_t{count} * 4);
    };
    PulseToneStream stream(silence, nullptr);
    ASSERT_EQ(stream.open("", 44100), PulseToneStream::Outcome::Playing) << stream.error();
    const std::optional<PulseToneStream::Queue> queue = stream.queue();
    ASSERT_TRUE(queue);
    EXPECT_GE(queue->queuedMs, 60u);
    EXPECT_LE(queue->queuedMs, 150u);
    EXPECT_EQ(queue->prebufferMs, 0u);
}

// A stream the server ends on its own, the server and the tuner's connection to it staying, is
// noticed and opened anew while the unit waits, and the next press plays: the forks never stay
// silent.
TEST_P(ToneOutput, AStreamTheServerDropsIsOpenedAgainAndTheNextPressPlays) {
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    FrameCounter counter;
    auto unit = openUnit(factory, counter);
    ASSERT_NE(unit, nullptr) << log.all();
    ASSERT_TRUE(eventually([] { return PrivateSoundServer::streamsOf("Strumwise").size() == 1; }));
    const std::vector<std::string> dropped = PrivateSoundServer::streamsOf("Strumwise");
    ASSERT_EQ(server.dropStreams("Strumwise"), 1);
    EXPECT_TRUE(eventually([&] {
        const std::vector<std::string> now = PrivateSoundServer::streamsOf("Strumwise");
        return now.size() == 1 && now != dropped;
    }));
    ASSERT_EQ(unit->start(), 0);
    EXPECT_TRUE(eventually([&] { return counter.frames.load() > 4410; }));
    unit->stop();
    EXPECT_FALSE(unit->startFailed());
    EXPECT_EQ(log.all(), "");
}

// A chosen device the server does not have is reported once, by name, and answered as a start
// that failed; the next start tries again. With the server gone, the default device is reported
// as such, not in PortAudio's words alone.
TEST_P(ToneOutput, ReportsAMissingDeviceOrServerOnceInAPlayersWords) {
    LinesLog log;
    PortAudioOutputUnitFactory factory(log);
    factory.setDevice({.serverDevice = "unplugged_headset", .portAudioIndex = {}, .shownName = {}});
    EXPECT_EQ(logOfFailedStarts(factory, log),
              "Audio output could not be opened, the reference tones stay silent: the sound server "
              "has no output device \"unplugged_headset\"\n");

    server.kill();
    LinesLog serverless;
    PortAudioOutputUnitFactory fallback(serverless);
    const std::string said = logOfFailedStarts(fallback, serverless);
    EXPECT_EQ(said.rfind("Audio output could not be opened, the reference tones stay silent: no "
                         "sound server answers",
                         0),
              0u)
        << said;
}

}  // namespace
}  // namespace strumwise::platform::desktop
