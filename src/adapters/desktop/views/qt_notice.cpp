#include "adapters/desktop/views/qt_notice.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace strumwise::platform::desktop {
namespace {

constexpr int kShownMs = 5000;
constexpr int kMargin = 12;
const auto kObjectName = QStringLiteral("notice");

}  // namespace

QWidget* noticeWindow() {
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && !active->isModal()) {
        return active;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() == Qt::Window) {
            return widget;
        }
    }
    return nullptr;
}

void showNotice(const QString& text) {
    QWidget* window = noticeWindow();
    if (window == nullptr) {
        return;
    }
    delete window->findChild<QLabel*>(kObjectName, Qt::FindDirectChildrenOnly);
    auto* label = new QLabel(text, window);
    label->setObjectName(kObjectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setStyleSheet(QStringLiteral(
        "background: rgba(30, 30, 30, 220); color: white; padding: 8px; border-radius: 6px;"));
    label->setMaximumWidth(window->width() - 2 * kMargin);
    label->adjustSize();
    label->move((window->width() - label->width()) / 2,
                window->height() - label->height() - kMargin);
    label->raise();
    label->show();
    QTimer::singleShot(kShownMs, label, &QObject::deleteLater);
}

}  // namespace strumwise::platform::desktop
