#pragma once

#include <QPixmap>
#include <map>
#include <memory>
#include <string>

#include "platform/view_toolkit.h"

namespace strumwise::platform::desktop {

// A named image from the application's resources, carrying its pixels.
class QtImage final : public Image {
  public:
    QtImage(std::string name, QPixmap pixmap)
        : name_(std::move(name)), pixmap_(std::move(pixmap)) {}
    std::string_view name() const override { return name_; }
    const QPixmap& pixmap() const { return pixmap_; }

  private:
    std::string name_;
    QPixmap pixmap_;
};

// The named-image lookup over the pictures compiled into the binary (resource prefix
// "/images"). Like the phone toolkit it keeps what it has loaded, so a lamp that is set ten
// times a second is decoded once. Main thread only: pixmaps belong to the GUI thread.
class QtImages final : public Images {
  public:
    ImageRef imageNamed(std::string_view name) const override;

  private:
    mutable std::map<std::string, std::shared_ptr<const QtImage>, std::less<>> cache_;
};

}  // namespace strumwise::platform::desktop
