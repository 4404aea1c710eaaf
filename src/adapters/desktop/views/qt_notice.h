#pragma once

#include <QString>

class QWidget;

namespace strumwise::platform::desktop {

// Shows `text` for a few seconds in a small box at the foot of the application's active window
// (or its first visible window), without taking the focus or blocking anything; a newer notice
// replaces an older one. Nothing is shown when the application has no window. Main thread only.
void showNotice(const QString& text);

// The window a notice goes to, or nullptr.
QWidget* noticeWindow();

}  // namespace strumwise::platform::desktop
