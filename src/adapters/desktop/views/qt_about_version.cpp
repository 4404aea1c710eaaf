#include "adapters/desktop/views/qt_about_version.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QLabel>

namespace strumwise::platform::desktop {

QLabel* addVersionToAboutPage(QWidget& root) {
    auto* about = root.findChild<QLabel*>(QStringLiteral("aboutMsg2"));
    QWidget* area = about != nullptr ? about->parentWidget() : nullptr;
    auto* box = area != nullptr ? qobject_cast<QBoxLayout*>(area->layout()) : nullptr;
    if (box == nullptr) {
        return nullptr;
    }
    // Right below the product name when the page shows one, else at the top of the texts.
    int index = 0;
    for (int i = 0; i < box->count(); ++i) {
        auto* label = qobject_cast<QLabel*>(box->itemAt(i)->widget());
        if (label != nullptr && label->objectName().startsWith(QStringLiteral("productName"))) {
            index = i + 1;
            break;
        }
    }
    auto* version = new QLabel(QCoreApplication::translate("MainScreen", "Version %1")
                                   .arg(QStringLiteral(STRUMWISE_VERSION)),
                               area);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setAlignment(Qt::AlignCenter);
    version->setProperty("role", QStringLiteral("about"));
    box->insertWidget(index, version);
    return version;
}

}  // namespace strumwise::platform::desktop
