#include "adapters/desktop/views/qt_image_view_widget.h"

#include <QImage>
#include <QPainter>

namespace strumwise::platform::desktop {
namespace {

// How much of a dimmed picture shows through.
constexpr double kDimmedOpacity = 0.3;

QPixmap greyedCopy(const QPixmap& pixmap) {
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    QPixmap greyed = QPixmap::fromImage(image);
    greyed.setDevicePixelRatio(pixmap.devicePixelRatio());
    return greyed;
}

}  // namespace

ImageViewWidget::ImageViewWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageViewWidget::setPicture(const QPixmap& pixmap, std::string name) {
    pixmap_ = pixmap;
    greyed_ = QPixmap();
    name_ = std::move(name);
    update();
}

void ImageViewWidget::setDimmed(bool dimmed) {
    if (dimmed != dimmed_) {
        dimmed_ = dimmed;
        update();
    }
}

void ImageViewWidget::paintEvent(QPaintEvent*) {
    if (pixmap_.isNull() || width() <= 0 || height() <= 0) {
        return;
    }
    const QSizeF source = pixmap_.deviceIndependentSize();
    QSizeF target = source.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QPointF topLeft((width() - target.width()) / 2.0, (height() - target.height()) / 2.0);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    if (dimmed_ && greyed_.isNull()) {
        greyed_ = greyedCopy(pixmap_);
    }
    if (dimmed_) {
        painter.setOpacity(kDimmedOpacity);
    }
    const QPixmap& shown = dimmed_ ? greyed_ : pixmap_;
    painter.drawPixmap(QRectF(topLeft, target), shown, QRectF(QPointF(0, 0), shown.size()));
}

}  // namespace strumwise::platform::desktop
