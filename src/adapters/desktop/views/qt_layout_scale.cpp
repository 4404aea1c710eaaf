#include "adapters/desktop/views/qt_layout_scale.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QSpacerItem>
#include <algorithm>
#include <cmath>

namespace strumwise::platform::desktop {

int scaledLength(int design, double factor) {
    if (design <= 0 || design >= QWIDGETSIZE_MAX) {
        return design;
    }
    return std::max(1, static_cast<int>(std::lround(design * factor)));
}

QString scaledStyleSheet(const QString& design, double factor) {
    static const QRegularExpression kPixels(QStringLiteral("(\\d+(?:\\.\\d+)?)px"));
    QString result;
    qsizetype last = 0;
    for (auto match = kPixels.globalMatch(design); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        // Lengths below one pixel in the design (none today) would round to 0 and vanish.
        const int length =
            scaledLength(static_cast<int>(std::lround(found.captured(1).toDouble())), factor);
        result += design.mid(last, found.capturedStart() - last);
        result += QString::number(length) + QStringLiteral("px");
        last = found.capturedEnd();
    }
    result += design.mid(last);
    return result;
}

namespace {

QSize scaledSize(QSize design, double factor) {
    return {scaledLength(design.width(), factor), scaledLength(design.height(), factor)};
}

}  // namespace

LayoutScale::LayoutScale(QWidget& root) {
    QList<QWidget*> all = root.findChildren<QWidget*>();
    all.prepend(&root);
    for (QWidget* widget : all) {
        const auto* label = qobject_cast<QLabel*>(widget);
        widgets_.push_back({widget, widget->minimumSize(), widget->maximumSize(),
                            widget->styleSheet(), label != nullptr ? label->margin() : 0});
        if (widget->layout() != nullptr) {
            record(*widget->layout());
        }
    }
}

void LayoutScale::record(QLayout& layout) {
    LayoutDesign design{&layout, layout.contentsMargins(), layout.spacing(), layout.spacing()};
    if (const auto* grid = qobject_cast<QGridLayout*>(&layout)) {
        design.horizontalSpacing = grid->horizontalSpacing();
        design.verticalSpacing = grid->verticalSpacing();
    }
    layouts_.push_back(design);
    for (int index = 0; index < layout.count(); ++index) {
        QLayoutItem* item = layout.itemAt(index);
        if (QSpacerItem* spacer = item->spacerItem()) {
            spacers_.push_back({&layout, spacer, spacer->sizeHint(), spacer->sizePolicy()});
        } else if (QLayout* inner = item->layout()) {
            record(*inner);
        }
    }
}

void LayoutScale::apply(double factor) {
    factor_ = factor;
    for (const WidgetDesign& design : widgets_) {
        QWidget* widget = design.widget;
        if (widget == nullptr) {
            continue;
        }
        // Only what the design bounds: a collapsed (0) or open (unbounded) side is left to
        // whoever sets it at run time.
        const QSize minimum = scaledSize(design.minimum, factor);
        const QSize maximum = scaledSize(design.maximum, factor);
        if (design.minimum.width() != 0 && design.minimum.width() < QWIDGETSIZE_MAX) {
            widget->setMinimumWidth(minimum.width());
        }
        if (design.minimum.height() != 0 && design.minimum.height() < QWIDGETSIZE_MAX) {
            widget->setMinimumHeight(minimum.height());
        }
        if (design.maximum.width() != 0 && design.maximum.width() < QWIDGETSIZE_MAX) {
            widget->setMaximumWidth(maximum.width());
        }
        if (design.maximum.height() != 0 && design.maximum.height() < QWIDGETSIZE_MAX) {
            widget->setMaximumHeight(maximum.height());
        }
        if (auto* label = qobject_cast<QLabel*>(widget);
            label != nullptr && design.labelMargin > 0) {
            label->setMargin(scaledLength(design.labelMargin, factor));
        }
        if (!design.styleSheet.isEmpty()) {
            widget->setStyleSheet(scaledStyleSheet(design.styleSheet, factor));
        }
    }
    for (const LayoutDesign& design : layouts_) {
        QLayout* layout = design.layout;
        if (layout == nullptr) {
            continue;
        }
        const QMargins& m = design.margins;
        layout->setContentsMargins(scaledLength(m.left(), factor), scaledLength(m.top(), factor),
                                   scaledLength(m.right(), factor),
                                   scaledLength(m.bottom(), factor));
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            grid->setHorizontalSpacing(scaledLength(design.horizontalSpacing, factor));
            grid->setVerticalSpacing(scaledLength(design.verticalSpacing, factor));
        } else if (design.horizontalSpacing >= 0) {
            layout->setSpacing(scaledLength(design.horizontalSpacing, factor));
        }
    }
    for (const SpacerDesign& design : spacers_) {
        if (design.owner == nullptr) {
            continue;
        }
        design.spacer->changeSize(scaledLength(design.size.width(), factor),
                                  scaledLength(design.size.height(), factor),
                                  design.policy.horizontalPolicy(), design.policy.verticalPolicy());
        design.owner->invalidate();
    }
}

}  // namespace strumwise::platform::desktop
