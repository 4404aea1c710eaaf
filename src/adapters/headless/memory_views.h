#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/view_toolkit.h"

namespace strumwise::platform::headless {

// Plain in-memory views: they remember the last state written to them, so tests can read what
// the screen shows. Wrapped by the trace decorators, they are the headless screen.

class MemoryLabel final : public Label {
  public:
    void setText(std::string_view text) override { text_ = text; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

class MemoryImageView final : public ImageView {
  public:
    void setImage(ImageRef image) override { image_ = std::move(image); }
    void setHidden(bool hidden) override { hidden_ = hidden; }

    const ImageRef& image() const { return image_; }
    // The name of the image shown, or nullopt when the view is empty.
    std::optional<std::string> imageName() const {
        return image_ ? std::optional<std::string>(std::string(image_->name())) : std::nullopt;
    }
    bool hidden() const { return hidden_; }

  private:
    ImageRef image_;
    bool hidden_ = false;
};

class MemoryButton final : public Button {
  public:
    void setTitle(std::string_view title) override { title_ = title; }
    void setHidden(bool hidden) override { hidden_ = hidden; }

    const std::string& title() const { return title_; }
    bool hidden() const { return hidden_; }

  private:
    std::string title_;
    bool hidden_ = false;
};

class MemoryTuningMeter final : public TuningMeter {
  public:
    void show(const TuningMeterReading& reading) override { reading_ = reading; }
    const TuningMeterReading& reading() const { return reading_; }

  private:
    TuningMeterReading reading_;
};

class MemoryLevelMeter final : public LevelMeter {
  public:
    void show(const LevelMeterReading& reading) override { reading_ = reading; }
    const LevelMeterReading& reading() const { return reading_; }

  private:
    LevelMeterReading reading_;
};

class MemoryScreenLook final : public ScreenLookView {
  public:
    void show(ScreenLook look) override { look_ = look; }
    void announce(ScreenLook look, const TuningMeterReading& /*reading*/) override {
        announced_ = look;
        ++announcements_;
    }
    ScreenLook look() const { return look_; }
    // The last announcement and how many there were.
    ScreenLook announced() const { return announced_; }
    int announcements() const { return announcements_; }

  private:
    ScreenLook look_ = ScreenLook::Silence;
    ScreenLook announced_ = ScreenLook::Silence;
    int announcements_ = 0;
};

}  // namespace strumwise::platform::headless
