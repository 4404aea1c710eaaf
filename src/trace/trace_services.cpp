#include "trace/trace_services.h"

#include "base/decimal_text.h"

namespace strumwise::platform::trace {
namespace {

class TracedAudioOutputUnit final : public AudioOutputUnit {
  public:
    TracedAudioOutputUnit(std::unique_ptr<AudioOutputUnit> inner, TraceSink& sink)
        : inner_(std::move(inner)), sink_(sink) {}

    std::int32_t setStreamFormat(const StreamFormat& format) override {
        return inner_->setStreamFormat(format);
    }
    std::int32_t setRenderCallback(RenderCallback callback, void* context) override {
        return inner_->setRenderCallback(callback, context);
    }
    std::int32_t initialize() override { return inner_->initialize(); }
    std::int32_t start() override {
        sink_.emit("tone", "start");
        return inner_->start();
    }
    std::int32_t stop() override {
        sink_.emit("tone", "stop");
        return inner_->stop();
    }
    // A query, not traced; without it a traced unit would never report a tone that cannot sound.
    bool startFailed() override { return inner_->startFailed(); }

  private:
    std::unique_ptr<AudioOutputUnit> inner_;
    TraceSink& sink_;
};

void traceSession(TraceSink& sink, std::string call, TraceList arguments) {
    sink.emit("session", std::move(call), std::move(arguments));
}

}  // namespace

void TracedLog::write(std::string_view line) {
    sink_.emit("log", "write", std::string(line), TraceLayout::TargetValue);
    inner_.write(line);
}

void TracedUserDefaults::setBool(bool value, std::string_view key) {
    sink_.emit("defaults", "set", TraceList{TraceWord{std::string(key)}, value});
    inner_.setBool(value, key);
}

void TracedUserDefaults::setInteger(std::int64_t value, std::string_view key) {
    sink_.emit("defaults", "set", TraceList{TraceWord{std::string(key)}, value});
    inner_.setInteger(value, key);
}

void TracedUserDefaults::setDouble(double value, std::string_view key) {
    sink_.emit("defaults", "set", TraceList{TraceWord{std::string(key)}, TraceNumber{value}});
    inner_.setDouble(value, key);
}

void TracedUserDefaults::setString(std::string_view value, std::string_view key) {
    sink_.emit("defaults", "set", TraceList{TraceWord{std::string(key)}, std::string(value)});
    inner_.setString(value, key);
}

void TracedUserDefaults::setEmptyPersistentDomain(std::string_view domainName) {
    sink_.emit("defaults", "reset");
    inner_.setEmptyPersistentDomain(domainName);
}

bool TracedUserDefaults::synchronize() {
    sink_.emit("defaults", "sync");
    return inner_.synchronize();
}

std::int64_t TracedUserDefaults::updateInteger(std::string_view key, const IntegerUpdate& update) {
    const std::int64_t value = inner_.updateInteger(key, update);
    sink_.emit("defaults", "set", TraceList{TraceWord{std::string(key)}, value});
    return value;
}

void TracedRunLoop::performAfterDelay(std::string_view operation, double delaySeconds,
                                      std::function<void()> action) {
    std::string name(operation);
    sink_.emit(name, "perform", TraceNumber{delaySeconds, 3}, TraceLayout::Perform);
    inner_.performAfterDelay(operation, delaySeconds, [this, name, action = std::move(action)] {
        sink_.emit(name, "run", {}, TraceLayout::OpTarget);
        action();
    });
}

void TracedApplication::setIdleTimerDisabled(bool disabled) {
    sink_.emit("application", "idleTimerDisabled", disabled, TraceLayout::OpValue);
    inner_.setIdleTimerDisabled(disabled);
}

void TracedApplication::setStatusBarHidden(bool hidden, int animation) {
    sink_.emit("application", "statusBarHidden", hidden, TraceLayout::OpValue);
    inner_.setStatusBarHidden(hidden, animation);
}

void TracedApplication::openURL(std::string_view url) {
    sink_.emit("application", "openURL", std::string(url), TraceLayout::OpValue);
    inner_.openURL(url);
}

bool TracedAudioSession::setCategory(std::string_view category, std::string* error) {
    traceSession(sink_, "setCategory", {TraceWord{std::string(category)}});
    return inner_.setCategory(category, error);
}

bool TracedAudioSession::setCategory(std::string_view category, std::uint32_t options,
                                     std::string* error) {
    traceSession(sink_, "setCategory",
                 {TraceWord{std::string(category)}, static_cast<std::int64_t>(options)});
    return inner_.setCategory(category, options, error);
}

bool TracedAudioSession::setMode(std::string_view mode, std::string* error) {
    traceSession(sink_, "setMode", {TraceWord{std::string(mode)}});
    return inner_.setMode(mode, error);
}

bool TracedAudioSession::setActive(bool active, std::string* error) {
    traceSession(sink_, "setActive", {active});
    return inner_.setActive(active, error);
}

std::unique_ptr<AudioOutputUnit> TracedAudioOutputUnitFactory::newOutputUnit() {
    auto unit = inner_.newOutputUnit();
    if (!unit) {
        return nullptr;
    }
    return std::make_unique<TracedAudioOutputUnit>(std::move(unit), sink_);
}

void traceToneFrequency(TraceSink& sink, double hertz) {
    sink.emit("tone", "frequency", TraceNumber{hertz, 1});
}

void traceSettingChange(TraceSink& sink, std::string_view name, std::string_view value) {
    const bool whole = !value.empty() && value.size() < 10 &&
                       value.find_first_not_of("0123456789") == std::string_view::npos;
    double number = 0.0;
    if (name == "reference" && readDecimal(value, number).ec == std::errc{}) {
        sink.emit("setting", std::string(name), TraceNumber{number, 1});
    } else if (whole) {
        sink.emit("setting", std::string(name), std::stoi(std::string(value)));
    } else if (value == "auto") {
        sink.emit("setting", std::string(name), TraceWord{std::string(value)});
    } else {
        sink.emit("setting", std::string(name), std::string(value));
    }
}

}  // namespace strumwise::platform::trace
