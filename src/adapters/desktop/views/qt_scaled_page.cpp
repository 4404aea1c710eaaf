#include "adapters/desktop/views/qt_scaled_page.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace strumwise::platform::desktop {
namespace {

// Re-styling the page costs a little, so a change smaller than this (less than a pixel on the
// tallest layout) keeps the factor the page has.
constexpr double kSmallestChange = 0.0005;

// The bottom of the stage's gradient (main_screen.qss), so the margins read as part of it.
const QColor kMarginColour(0x15, 0x12, 0x10);

}  // namespace

QSize scaledSize(QSize design, double factor) {
    return {static_cast<int>(std::lround(design.width() * factor)),
            static_cast<int>(std::lround(design.height() * factor))};
}

ScaledPage::ScaledPage(QWidget& page, QSize designSize)
    : page_(&page), design_(designSize), scale_(page) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kMarginColour);
    setPalette(colours);
    setAutoFillBackground(true);
    page.setParent(this);
    page.setGeometry(QRect(QPoint(0, 0), design_));
    resize(design_);
}

void ScaledPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitPage();
}

void ScaledPage::fitPage() {
    if (page_ == nullptr || design_.isEmpty()) {
        return;
    }
    const double fits = std::min(static_cast<double>(width()) / design_.width(),
                                 static_cast<double>(height()) / design_.height());
    const QSize kept = scaledSize(design_, scale_.factor());
    const bool keptFits = kept.width() <= width() && kept.height() <= height();
    if (fits > 0 && (!keptFits || std::abs(fits - scale_.factor()) >= kSmallestChange)) {
        scale_.apply(fits);
    }
    const QSize shown = scaledSize(design_, scale_.factor());
    page_->setGeometry(
        QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown));
}

}  // namespace strumwise::platform::desktop
