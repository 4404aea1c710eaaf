#include "adapters/desktop/views/qt_focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QTabBar>

namespace strumwise::platform::desktop {
namespace {

const QColor kBand{0xff, 0xf4, 0xe0};
const QColor kEdge{0x10, 0x0c, 0x08};

// The part of `widget` that has the focus: a tab bar's current tab, or the whole control.
QRect focusedPart(const QWidget& widget) {
    if (const auto* bar = qobject_cast<const QTabBar*>(&widget); bar && bar->currentIndex() >= 0) {
        return bar->tabRect(bar->currentIndex());
    }
    return widget.rect();
}

}  // namespace

QtFocusRing::QtFocusRing(QWidget& window) : QWidget(&window), window_(window) {
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    QObject::connect(qApp, &QApplication::focusChanged, this,
                     [this](QWidget*, QWidget* now) { follow(now); });
    follow(QApplication::focusWidget());
}

void QtFocusRing::follow(QWidget* focused) {
    // An open drop-down's list takes the focus in a window of its own and gives it back when it
    // closes, and a window that loses the activation gets its focus back when it regains it: the
    // ring stays where it was meanwhile.
    if (focused == nullptr || focused->window()->windowType() == Qt::Popup) {
        return;
    }
    for (const QPointer<QWidget>& widget : watched_) {
        if (widget != nullptr) {
            widget->removeEventFilter(this);
        }
    }
    watched_.clear();
    QObject::disconnect(tabMoves_);
    const bool ours = focused != nullptr && focused != this && window_.isAncestorOf(focused);
    target_ = ours ? focused : nullptr;
    if (target_ == nullptr) {
        hide();
        return;
    }
    // The control moves when any of its parents does (a scrolled page, a scaled window).
    for (QWidget* widget = target_; widget != nullptr && widget != &window_;
         widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        watched_.push_back(widget);
    }
    // A tab bar's focus is on its current tab, which moves with the page.
    if (auto* bar = qobject_cast<QTabBar*>(target_.data())) {
        tabMoves_ = QObject::connect(bar, &QTabBar::currentChanged, this, [this] { place(); });
    }
    place();
}

QRect QtFocusRing::ringedRect() const {
    if (target_ == nullptr) {
        return {};
    }
    const QRect part = focusedPart(*target_);
    return {target_->mapTo(&window_, part.topLeft()), part.size()};
}

void QtFocusRing::place() {
    if (target_ == nullptr || !target_->isVisible()) {
        hide();
        return;
    }
    const int reach = kGap + kBandWidth + 1;
    setGeometry(ringedRect().adjusted(-reach, -reach, reach, reach));
    raise();
    show();
    update();
}

bool QtFocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void QtFocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dark edge, the light band, and a dark edge again, from the outside in.
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF band = outer.adjusted(1 + kBandWidth / 2.0, 1 + kBandWidth / 2.0,
                                       -1 - kBandWidth / 2.0, -1 - kBandWidth / 2.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kEdge, kBandWidth + 2));
    painter.drawRoundedRect(band, 6, 6);
    painter.setPen(QPen(kBand, kBandWidth));
    painter.drawRoundedRect(band, 6, 6);
}

}  // namespace strumwise::platform::desktop
