#include "adapters/desktop/views/qt_storyboard.h"

#include <QFile>
#include <QUiLoader>

namespace strumwise::platform::desktop {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The loader knows our image view and meters besides the stock widgets.
class LayoutLoader final : public QUiLoader {
  public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        QWidget* widget = nullptr;
        if (className == QLatin1String(ImageViewWidget::kClassName)) {
            widget = new ImageViewWidget(parent);
        } else if (className == QLatin1String(TuningMeterWidget::kClassName)) {
            widget = new TuningMeterWidget(parent);
        } else if (className == QLatin1String(LevelMeterWidget::kClassName)) {
            widget = new LevelMeterWidget(parent);
        } else if (className == QLatin1String(ReadingHistoryWidget::kClassName)) {
            widget = new ReadingHistoryWidget(parent);
        } else {
            return QUiLoader::createWidget(className, parent, name);
        }
        widget->setObjectName(name);
        return widget;
    }
};

QWidget* findOutlet(QWidget* root, std::string_view outlet) {
    if (root == nullptr) {
        return nullptr;
    }
    const QString name = toQString(outlet);
    if (root->objectName() == name) {
        return root;
    }
    return root->findChild<QWidget*>(name);
}

}  // namespace

QPushButton* QtStoryboard::buttonFor(QWidget& root, std::string_view action) {
    const QString name = QString::fromUtf8(action.data(), static_cast<qsizetype>(action.size()));
    for (QPushButton* button : root.findChildren<QPushButton*>()) {
        if (button->property(kActionProperty).toString() == name) {
            return button;
        }
    }
    return nullptr;
}

QtStoryboard::QtStoryboard(std::string name, QWidget* root) : name_(std::move(name)), root_(root) {
    if (root_ == nullptr) {
        return;
    }
    for (QWidget* widget : root_->findChildren<QWidget*>()) {
        // Hiding a view must not make the others jump: the phone toolkit keeps a hidden view's
        // place, and so do we.
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    // A view the layout gives a picture of its own (the unlit lamp) shows it from the start, so
    // nothing is missing before the tuner first draws on it.
    for (auto* view : root_->findChildren<ImageViewWidget*>()) {
        const QString picture = view->property(kPictureProperty).toString();
        if (!picture.isEmpty()) {
            view->setPicture(QPixmap(QStringLiteral(":/images/") + picture), picture.toStdString());
        }
    }
    for (QPushButton* button : root_->findChildren<QPushButton*>()) {
        const QVariant action = button->property(kActionProperty);
        if (!action.isValid() || action.toString().isEmpty()) {
            continue;
        }
        const std::string actionName = action.toString().toStdString();
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, actionName] { sendAction(actionName); });
    }
}

void QtStoryboard::sendAction(std::string_view action) {
    if (handler_) {
        handler_(action);
    }
    if (observer_) {
        observer_(action);
    }
}

QtStoryboard::~QtStoryboard() {
    // A window that adopted the root owns it; an unshown layout is ours to delete.
    if (root_ != nullptr && root_->parent() == nullptr) {
        delete root_.data();
    }
}

template <typename Adapter, typename Widget>
Adapter* QtStoryboard::adapterFor(
    std::map<std::string, std::unique_ptr<Adapter>, std::less<>>& adapters,
    std::string_view outlet) {
    if (const auto found = adapters.find(outlet); found != adapters.end()) {
        return found->second.get();
    }
    auto* widget = dynamic_cast<Widget*>(findOutlet(root_, outlet));
    if (widget == nullptr) {
        return nullptr;
    }
    auto adapter = std::make_unique<Adapter>(widget);
    Adapter* result = adapter.get();
    adapters.emplace(std::string(outlet), std::move(adapter));
    return result;
}

Label* QtStoryboard::label(std::string_view outlet) {
    return adapterFor<QtLabel, QLabel>(labels_, outlet);
}

ImageView* QtStoryboard::imageView(std::string_view outlet) {
    return adapterFor<QtImageView, ImageViewWidget>(imageViews_, outlet);
}

Button* QtStoryboard::button(std::string_view outlet) {
    return adapterFor<QtButton, QPushButton>(buttons_, outlet);
}

TuningMeter* QtStoryboard::tuningMeter(std::string_view outlet) {
    return adapterFor<QtTuningMeter, TuningMeterWidget>(tuningMeters_, outlet);
}

LevelMeter* QtStoryboard::levelMeter(std::string_view outlet) {
    return adapterFor<QtLevelMeter, LevelMeterWidget>(levelMeters_, outlet);
}

ReadingHistoryView* QtStoryboard::readingHistory(std::string_view outlet) {
    return adapterFor<QtReadingHistory, ReadingHistoryWidget>(readingHistories_, outlet);
}

ScreenLookView* QtStoryboard::screenLook(std::string_view outlet) {
    if (outlet != "screenLook" || root_ == nullptr) {
        return nullptr;
    }
    if (!screenLook_) {
        screenLook_ = std::make_unique<QtScreenLook>(root_);
    }
    return screenLook_.get();
}

void QtStoryboard::setActionHandler(std::function<void(std::string_view action)> handler) {
    handler_ = std::move(handler);
}

std::unique_ptr<QtStoryboard> loadStoryboardResource(std::string_view name, std::string* error) {
    // Names come from the screen-class table, but a path separator could reach other resources.
    if (name.empty() || name.find('/') != std::string_view::npos) {
        if (error != nullptr) {
            *error = "no layout named \"" + std::string(name) + "\"";
        }
        return nullptr;
    }
    QFile file(QStringLiteral(":/layouts/") + toQString(name) + QStringLiteral(".ui"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr) {
            *error = "no layout named \"" + std::string(name) + "\"";
        }
        return nullptr;
    }
    LayoutLoader loader;
    QWidget* root = loader.load(&file);
    if (root == nullptr) {
        if (error != nullptr) {
            *error = "layout \"" + std::string(name) +
                     "\" cannot be read: " + loader.errorString().toStdString();
        }
        return nullptr;
    }
    // Colours and shapes are shared by every layout; a layout's own sheet (its type sizes)
    // comes after them, so it wins where both speak.
    QFile style(QStringLiteral(":/layouts/main_screen.qss"));
    if (style.open(QIODevice::ReadOnly)) {
        root->setStyleSheet(QString::fromUtf8(style.readAll()) + root->styleSheet());
    }
    return std::make_unique<QtStoryboard>(std::string(name), root);
}

}  // namespace strumwise::platform::desktop
