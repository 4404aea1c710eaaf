#pragma once

#include <QPointer>
#include <QPushButton>
#include <array>
#include <functional>
#include <string_view>

namespace strumwise::platform::desktop {

// Shows which reference tone plays: the fork button pressed last stays checked, and so looks
// pressed, until the tone stops. Only the desktop draws this; the screen's logic is unchanged.
// Main thread only.
class QtPlayingFork {
  public:
    // `root` holds the layout's fork buttons (their "action" property names the fork actions);
    // `tonePlaying` answers whether a tone plays now.
    QtPlayingFork(QWidget& root, std::function<bool()> tonePlaying);

    // After every action a button sent: a fork action makes its button the playing one, and any
    // action may have stopped the tone.
    void actionSent(std::string_view action);

  private:
    std::array<QPointer<QPushButton>, 5> forks_;
    std::function<bool()> tonePlaying_;
    int playing_ = -1;
};

}  // namespace strumwise::platform::desktop
