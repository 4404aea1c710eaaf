#include "platform/desktop/qt_image_view_widget.h"

#include <QPainter>

namespace strumwise::platform::desktop {

ImageViewWidget::ImageViewWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageViewWidget::setPicture(const QPixmap& pixmap, std::string name) {
    pixmap_ = pixmap;
    name_ = std::move(name);
    update();
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
    painter.drawPixmap(QRectF(topLeft, target), pixmap_, QRectF(QPointF(0, 0), pixmap_.size()));
}

}  // namespace strumwise::platform::desktop
