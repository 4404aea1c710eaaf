#include "platform/desktop/qt_windows.h"

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace strumwise::platform::desktop {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::unique_ptr<QWidget> makeTopLevelWindow(const std::string& title) {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(toQString(title));
    window->setWindowIcon(QIcon(QStringLiteral(":/icon/strumwise.png")));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    return window;
}

}  // namespace

QtWindows::QtWindows(ScreenProfile profile, std::string windowTitle, Log& log)
    : profile_(std::move(profile)), windowTitle_(std::move(windowTitle)), log_(log) {}

QtWindows::~QtWindows() {
    // Windows own the layouts they adopted; they go first so that each widget is deleted once.
    windows_.clear();
    storyboards_.clear();
}

Storyboard* QtWindows::loadStoryboard(std::string_view name) {
    std::string error;
    auto storyboard = loadStoryboardResource(name, &error);
    if (storyboard == nullptr) {
        log_.write(error);
        return nullptr;
    }
    storyboards_.push_back(std::move(storyboard));
    return storyboards_.back().get();
}

void QtWindows::installWindow(Storyboard& storyboard) {
    auto* layout = dynamic_cast<QtStoryboard*>(&storyboard);
    if (layout == nullptr || layout->rootWidget() == nullptr) {
        return;
    }
    auto window = makeTopLevelWindow(windowTitle_);
    auto* box = new QVBoxLayout(window.get());
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(layout->rootWidget());
    window->resize(profile_.width, static_cast<int>(profile_.height));
    window->show();
    window->raise();
    window->activateWindow();
    keyStoryboard_ = layout;
    mainWindow_ = window.get();
    windows_.push_back(std::move(window));
    if (windowInstalled_) {
        windowInstalled_(*mainWindow_);
    }
}

QWidget* QtWindows::keyWindow() const {
    return windows_.empty() ? nullptr : windows_.back().get();
}

void QtWindows::showNoLayoutWindow() {
    auto window = makeTopLevelWindow(windowTitle_);
    auto* box = new QVBoxLayout(window.get());
    box->setContentsMargins(24, 24, 24, 24);
    auto* text = new QLabel(toQString(noLayoutMessage(profile_)), window.get());
    text->setObjectName(QStringLiteral("noLayoutMessage"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->addWidget(text);
    window->resize(420, 300);
    window->show();
    windows_.push_back(std::move(window));
}

std::string noLayoutMessage(const ScreenProfile& profile) {
    std::string phones;
    std::string pads;
    for (const auto& screen : listedScreens()) {
        std::string& list = screen.idiom == 1 ? pads : phones;
        list += (list.empty() ? "" : ", ") + std::string(screen.idiom == 1 ? "pad:" : "phone:") +
                std::to_string(screen.height);
    }
    return "Strumwise has no layout for the screen " + profile.text() +
           ".\n\nStart it with --screen and one of these sizes:\n" + phones + "\n" + pads;
}

}  // namespace strumwise::platform::desktop
