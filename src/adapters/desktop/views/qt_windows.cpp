#include "adapters/desktop/views/qt_windows.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "adapters/desktop/views/qt_scaled_page.h"

namespace strumwise::platform::desktop {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void dressTopLevelWindow(QWidget& window, const std::string& title) {
    window.setWindowTitle(toQString(title));
    window.setWindowIcon(QIcon(QStringLiteral(":/icon/strumwise.png")));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
}

// The free area of the screen the window opens on, in the desktop's own (scaled) pixels, so that
// a device pixel ratio or an Xft.dpi setting is already counted.
QSize availableDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().size() : QSize(1920, 1080);
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
    // The page keeps the proportions of the screen it was designed for at any window size; the
    // window opens at that screen's size unless the desktop is smaller.
    const QSize design(profile_.width, static_cast<int>(profile_.height));
    auto window = std::make_unique<ScaledPage>(*layout->rootWidget(), design);
    dressTopLevelWindow(*window, windowTitle_);
    const QSize desktop = availableDesktop();
    const double opening = openingScale(profile_, desktop.width(), desktop.height());
    window->setMinimumSize(scaledSize(design, smallestScale(profile_, opening)));
    window->resize(scaledSize(design, opening));
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
    auto window = std::make_unique<QWidget>();
    dressTopLevelWindow(*window, windowTitle_);
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
