#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapters/headless/virtual_run_loop.h"
#include "platform/alerts.h"
#include "trace/trace_alerts.h"
#include "trace/trace_sink.h"

namespace strumwise::platform::headless {

// How the scripted user answers every alert (`--answer`), 1.0 s after it appears.
enum class AlertAnswer { None, Decline, Rate, Later };

// "decline", "rate", "later" or "none"; nullopt for anything else.
std::optional<AlertAnswer> parseAlertAnswer(std::string_view text);

// Controller-style alerts that a scripted user answers. An alert that comes on screen is traced
// as `alert "<title>" "<message>" ["<button>", ...]`; the answer as `alert answered <index>`
// (0 decline, 1 rate, 2 remind later), then its button's handler runs; an alert taken away
// without an answer as `alert hidden`. View-style alerts, which the platform offers only when
// `controllerStyle` is false (as older systems did), behave the same with their indices.
class HeadlessAlerts final : public Alerts {
  public:
    static constexpr double kAnswerDelaySeconds = 1.0;

    HeadlessAlerts(VirtualRunLoop& runLoop, trace::TraceSink& sink, AlertAnswer answer,
                   bool controllerStyle = true)
        : runLoop_(runLoop), sink_(sink), answer_(answer), controllerStyle_(controllerStyle) {}

    bool alertControllerAvailable() const override { return controllerStyle_; }
    std::shared_ptr<AlertController> makeAlertController(std::string_view title,
                                                         std::string_view message) override;
    std::shared_ptr<AlertView> makeAlertView(
        std::string_view title, std::string_view message, std::string_view cancelButtonTitle,
        std::function<void(std::int64_t buttonIndex)> didDismiss) override;

  private:
    VirtualRunLoop& runLoop_;
    trace::TraceSink& sink_;
    const AlertAnswer answer_;
    const bool controllerStyle_;
};

}  // namespace strumwise::platform::headless
