#pragma once

#include <string>
#include <string_view>

#include "platform/log.h"

namespace strumwise::platform::desktop {

// The log the tuner's own logic writes to: notes meant for its developers (the screen height the
// layout was chosen for, the metering status, the run count), some in the language the tuner was
// first written in, which a plain start keeps off the terminal. They reach the inner log only when
// the user asks for them (--verbose), each marked as a developer's note, so that none is taken for
// a report on the tuner's state; the desktop's own reports (no microphone, settings not written)
// go to the inner log directly and always show.
class DeveloperLog final : public Log {
  public:
    DeveloperLog(Log& inner, bool shown) : inner_(inner), shown_(shown) {}

    void write(std::string_view line) override {
        if (shown_) {
            std::string marked("developer note: ");
            marked.append(line);
            inner_.write(marked);
        }
    }

  private:
    Log& inner_;
    bool shown_;
};

}  // namespace strumwise::platform::desktop
