#include "adapters/desktop/views/qt_views.h"

#include "adapters/desktop/views/qt_images.h"

namespace strumwise::platform::desktop {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtLabel::QtLabel(QLabel* label) : label_(label) {
    // A label shows exactly the text it is given: markup in a measurement or a translation must
    // never be interpreted.
    if (label_ != nullptr) {
        label_->setTextFormat(Qt::PlainText);
        // A layout marks a label that takes no room while it has nothing to say (a banner): it
        // comes with no height, and gets its height back with a text.
        collapsesWhenEmpty_ = label_->property("collapsesWhenEmpty").toBool();
        // A banner that names a device may say more than a phone's width holds: it wraps
        // rather than widening the page.
        if (collapsesWhenEmpty_) {
            label_->setWordWrap(true);
        }
    }
}

void QtLabel::setText(std::string_view text) {
    if (label_ != nullptr) {
        label_->setText(toQString(text));
        if (collapsesWhenEmpty_) {
            label_->setMaximumHeight(text.empty() ? 0 : QWIDGETSIZE_MAX);
        }
    }
}

void QtImageView::setImage(ImageRef image) {
    if (view_ == nullptr) {
        return;
    }
    const auto* qtImage = dynamic_cast<const QtImage*>(image.get());
    if (qtImage == nullptr) {
        view_->setPicture(QPixmap(), {});
        return;
    }
    view_->setPicture(qtImage->pixmap(), std::string(qtImage->name()));
}

void QtImageView::setHidden(bool hidden) {
    if (view_ != nullptr) {
        view_->setHidden(hidden);
    }
}

std::string QtImageView::imageName() const {
    return view_ != nullptr ? view_->pictureName() : std::string();
}

void QtButton::setTitle(std::string_view title) {
    if (button_ != nullptr) {
        button_->setText(toQString(title));
    }
}

void QtButton::setHidden(bool hidden) {
    if (button_ != nullptr) {
        button_->setHidden(hidden);
    }
}

void QtTuningMeter::show(const TuningMeterReading& reading) {
    if (meter_ != nullptr) {
        meter_->setReading(reading);
    }
}

void QtLevelMeter::show(const LevelMeterReading& reading) {
    if (meter_ != nullptr) {
        meter_->setReading(reading);
    }
}

}  // namespace strumwise::platform::desktop
