#pragma once

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "adapters/desktop/views/qt_image_view_widget.h"
#include "adapters/desktop/views/qt_meter_widgets.h"
#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// The toolkit's views over Qt widgets. Each adapter watches its widget: once the widget is gone
// (its window closed and deleted), writes do nothing, as for an unconnected outlet.

class QtLabel final : public Label {
  public:
    explicit QtLabel(QLabel* label);
    void setText(std::string_view text) override;

  private:
    QPointer<QLabel> label_;
    bool collapsesWhenEmpty_ = false;
};

class QtImageView final : public ImageView {
  public:
    explicit QtImageView(ImageViewWidget* view) : view_(view) {}
    // Anything but one of our own images (or nullptr) empties the view.
    void setImage(ImageRef image) override;
    void setHidden(bool hidden) override;

    // The resource name of the picture shown, empty when none; hidden or not.
    std::string imageName() const;

  private:
    QPointer<ImageViewWidget> view_;
};

class QtButton final : public Button {
  public:
    explicit QtButton(QPushButton* button) : button_(button) {}
    void setTitle(std::string_view title) override;
    void setHidden(bool hidden) override;

  private:
    QPointer<QPushButton> button_;
};

class QtTuningMeter final : public TuningMeter {
  public:
    explicit QtTuningMeter(TuningMeterWidget* meter) : meter_(meter) {}
    void show(const TuningMeterReading& reading) override;

  private:
    QPointer<TuningMeterWidget> meter_;
};

class QtLevelMeter final : public LevelMeter {
  public:
    explicit QtLevelMeter(LevelMeterWidget* meter) : meter_(meter) {}
    void show(const LevelMeterReading& reading) override;

  private:
    QPointer<LevelMeterWidget> meter_;
};

}  // namespace strumwise::platform::desktop
