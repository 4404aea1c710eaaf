#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/application.h"
#include "platform/audio_output.h"
#include "platform/audio_session.h"
#include "platform/log.h"
#include "platform/run_loop.h"
#include "platform/user_defaults.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::trace {

// Tracing decorators for the platform services: each observable call is traced, then passed to
// the wrapped service, whichever platform it belongs to. Reads and queries are not traced, but
// every one is passed on: a decorator that answered one itself would change what the product does
// when traced.

// `log "<line>"`.
class TracedLog final : public Log {
  public:
    TracedLog(Log& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}
    void write(std::string_view line) override;

  private:
    Log& inner_;
    TraceSink& sink_;
};

// `defaults set <key> <value>`, `defaults reset`, `defaults sync`.
class TracedUserDefaults final : public UserDefaults {
  public:
    TracedUserDefaults(UserDefaults& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}

    bool boolForKey(std::string_view key) const override { return inner_.boolForKey(key); }
    std::int64_t integerForKey(std::string_view key) const override {
        return inner_.integerForKey(key);
    }
    double doubleForKey(std::string_view key) const override { return inner_.doubleForKey(key); }
    std::optional<std::string> stringForKey(std::string_view key) const override {
        return inner_.stringForKey(key);
    }
    void setBool(bool value, std::string_view key) override;
    void setInteger(std::int64_t value, std::string_view key) override;
    void setDouble(double value, std::string_view key) override;
    void setString(std::string_view value, std::string_view key) override;
    void setEmptyPersistentDomain(std::string_view domainName) override;
    bool synchronize() override;
    // Traced as the `defaults set` it ends in.
    std::int64_t updateInteger(std::string_view key, const IntegerUpdate& update) override;

  private:
    UserDefaults& inner_;
    TraceSink& sink_;
};

// `perform <operation> after <seconds>` when a delayed perform is scheduled and
// `run <operation>` when it runs. Timers and posted work are not traced: the tick's effects are.
class TracedRunLoop final : public RunLoop {
  public:
    TracedRunLoop(RunLoop& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}

    std::unique_ptr<Timer> scheduleRepeatingTimer(double intervalSeconds,
                                                  std::function<void()> handler) override {
        return inner_.scheduleRepeatingTimer(intervalSeconds, std::move(handler));
    }
    void performAfterDelay(std::string_view operation, double delaySeconds,
                           std::function<void()> action) override;
    void postToMain(std::function<void()> task) override { inner_.postToMain(std::move(task)); }

  private:
    RunLoop& inner_;
    TraceSink& sink_;
};

// `idleTimerDisabled 0|1`, `statusBarHidden 0|1`, `openURL "<url>"`.
class TracedApplication final : public Application {
  public:
    TracedApplication(Application& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}
    void setIdleTimerDisabled(bool disabled) override;
    void setStatusBarHidden(bool hidden, int animation) override;
    void openURL(std::string_view url) override;

  private:
    Application& inner_;
    TraceSink& sink_;
};

// `session <call> <arguments>`, e.g. `session setCategory AVAudioSessionCategoryPlayAndRecord 8`.
class TracedAudioSession final : public AudioSession {
  public:
    TracedAudioSession(AudioSession& inner, TraceSink& sink) : inner_(inner), sink_(sink) {}
    bool setCategory(std::string_view category, std::string* error) override;
    bool setCategory(std::string_view category, std::uint32_t options, std::string* error) override;
    bool setMode(std::string_view mode, std::string* error) override;
    bool setActive(bool active, std::string* error) override;

  private:
    AudioSession& inner_;
    TraceSink& sink_;
};

// Output units whose start and stop are traced as `tone start` and `tone stop`.
class TracedAudioOutputUnitFactory final : public AudioOutputUnitFactory {
  public:
    TracedAudioOutputUnitFactory(AudioOutputUnitFactory& inner, TraceSink& sink)
        : inner_(inner), sink_(sink) {}
    std::unique_ptr<AudioOutputUnit> newOutputUnit() override;

  private:
    AudioOutputUnitFactory& inner_;
    TraceSink& sink_;
};

// `tone frequency <hz %.1f>`: what the fork buttons' frequency observer reports.
void traceToneFrequency(TraceSink& sink, double hertz);

// A change of one of the player's settings, `setting reference 442.0`, `setting capo 2`,
// `setting string auto`, `setting tuning "Open D"`: the reference as a number with one decimal,
// whole numbers as numbers, "auto" as a word, names and lists as strings.
void traceSettingChange(TraceSink& sink, std::string_view name, std::string_view value);

}  // namespace strumwise::platform::trace
