#include "adapters/desktop/views/qt_scrolling_area.h"

#include <QBoxLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <QVariant>

namespace strumwise::platform::desktop {
namespace {

// The box among `layout` and the layouts nested in it that holds `widget` itself.
QBoxLayout* boxHolding(QLayout* layout, QWidget& widget) {
    if (layout == nullptr) {
        return nullptr;
    }
    if (auto* box = qobject_cast<QBoxLayout*>(layout);
        box != nullptr && box->indexOf(&widget) >= 0) {
        return box;
    }
    for (int index = 0; index < layout->count(); ++index) {
        if (QBoxLayout* found = boxHolding(layout->itemAt(index)->layout(), widget)) {
            return found;
        }
    }
    return nullptr;
}

QScrollArea* newScrollArea(const QWidget& content) {
    auto* scroll = new QScrollArea();
    scroll->setObjectName(content.objectName() + QStringLiteral("Scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    return scroll;
}

}  // namespace

void scrollWhenTall(QWidget& area) {
    auto* stack = area.parentWidget();
    auto* pages = stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (const int index = pages != nullptr ? pages->indexOf(&area) : -1; index >= 0) {
        const QString title = pages->tabText(index);
        const QString tip = pages->tabToolTip(index);
        const bool current = pages->currentIndex() == index;
        pages->removeTab(index);
        QScrollArea* scroll = newScrollArea(area);
        scroll->setWidget(&area);
        scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
        pages->insertTab(index, scroll, title);
        pages->setTabToolTip(index, tip);
        if (current) {
            pages->setCurrentIndex(index);
        }
        return;
    }
    // A panel in a column: the scroll area takes its place, its frame and its share of the
    // column, and the panel inside it draws no frame of its own.
    QBoxLayout* column = stack != nullptr ? boxHolding(stack->layout(), area) : nullptr;
    if (column == nullptr) {
        return;
    }
    const int index = column->indexOf(&area);
    QScrollArea* scroll = newScrollArea(area);
    scroll->setProperty("role", area.property("role"));
    scroll->setFrameShape(QFrame::StyledPanel);
    scroll->setSizePolicy(area.sizePolicy());
    column->insertWidget(index, scroll, column->stretch(index));
    column->removeWidget(&area);
    area.setProperty("role", QVariant());
    scroll->setWidget(&area);
    // The panel's background shows through, as it did around the texts.
    area.setAutoFillBackground(false);
}

}  // namespace strumwise::platform::desktop
