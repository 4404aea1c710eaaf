#pragma once

#include "platform/application.h"
#include "platform/bundle.h"
#include "platform/device.h"

namespace strumwise::platform::web {

// The device as the page sees it: CSS pixels are the phone's points, so the viewport's height
// is the screen height. The composition root picks the idiom and the listed height once, at
// launch, as the layout is chosen then.
class WebDevice final : public Device {
  public:
    WebDevice(long idiom, double height) : idiom_(idiom), height_(height) {}
    std::optional<long> userInterfaceIdiom() const override { return idiom_; }
    std::string systemVersion() const override { return kCurrentSystemVersion; }
    double mainScreenHeight() const override { return height_; }

  private:
    long idiom_;
    double height_;
};

// The Screen Wake Lock API keeps the display lit; the status bar goes with fullscreen, asked
// for on the first touch (browsers allow it only then); links open in a new tab.
class WebApplication final : public Application {
  public:
    void setIdleTimerDisabled(bool disabled) override;
    void setStatusBarHidden(bool hidden, int animation) override;
    void openURL(std::string_view url) override;
};

// The compiled-in identity and the translations the page loaded for the browser's language.
class WebBundle final : public Bundle {
  public:
    std::string identifier() const override { return "com.strumwise.tuner"; }
    std::optional<std::string> infoValue(std::string_view key) const override;
    std::optional<std::string> localizedInfoValue(std::string_view key) const override {
        return infoValue(key);
    }
    std::string localizedString(std::string_view key, std::string_view value,
                                std::string_view table) const override;
};

}  // namespace strumwise::platform::web
