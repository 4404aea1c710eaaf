#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>

namespace strumwise::platform::desktop {

// The widget behind an image view: draws its picture scaled to fit, centred, keeping the
// picture's proportions, the way a phone's image view in aspect-fit mode does. Layouts create it
// under the class name "ImageView".
class ImageViewWidget final : public QWidget {
  public:
    static constexpr const char* kClassName = "ImageView";

    explicit ImageViewWidget(QWidget* parent = nullptr);

    // An empty pixmap leaves the view empty. `name` is the resource name, kept so that tests
    // and diagnostics can tell which picture is up.
    void setPicture(const QPixmap& pixmap, std::string name);
    const std::string& pictureName() const { return name_; }
    const QPixmap& picture() const { return pixmap_; }
    // A dimmed view draws its picture greyed and faint: still there, no longer the news.
    void setDimmed(bool dimmed);
    bool dimmed() const { return dimmed_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap pixmap_;
    QPixmap greyed_;  // made when first needed, dropped with its picture
    std::string name_;
    bool dimmed_ = false;
};

}  // namespace strumwise::platform::desktop
