#include "adapters/desktop/views/qt_playing_fork.h"

#include "adapters/desktop/views/qt_storyboard.h"
#include "view/action_names.h"

namespace strumwise::platform::desktop {

QtPlayingFork::QtPlayingFork(QWidget& root, std::function<bool()> tonePlaying)
    : tonePlaying_(std::move(tonePlaying)) {
    for (std::size_t i = 0; i < forks_.size(); ++i) {
        forks_[i] = QtStoryboard::buttonFor(root, view::kForkActions[i]);
        if (forks_[i] != nullptr) {
            // Checked is "pressed" to the eye and to a screen reader alike.
            forks_[i]->setCheckable(true);
        }
    }
}

void QtPlayingFork::actionSent(std::string_view action) {
    for (std::size_t i = 0; i < forks_.size(); ++i) {
        if (action == view::kForkActions[i]) {
            playing_ = static_cast<int>(i);
        }
    }
    if (!tonePlaying_()) {
        playing_ = -1;
    }
    // A click toggles a checkable button on its own; every button is set as it should be.
    for (std::size_t i = 0; i < forks_.size(); ++i) {
        if (forks_[i] != nullptr) {
            forks_[i]->setChecked(static_cast<int>(i) == playing_);
        }
    }
}

}  // namespace strumwise::platform::desktop
