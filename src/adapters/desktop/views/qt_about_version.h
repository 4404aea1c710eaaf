#pragma once

class QLabel;
class QWidget;

namespace strumwise::platform::desktop {

// Adds the application's version under the product name of a main-screen layout's about texts
// (the phones' About page, the pads' about panel), so that a bug report can say which build it
// was. Answers the new label, or nullptr when the layout has no about texts.
QLabel* addVersionToAboutPage(QWidget& root);

}  // namespace strumwise::platform::desktop
