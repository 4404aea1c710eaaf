#pragma once

#include <cstdint>

namespace strumwise::view {

// The screen's named operations that its components call back into, so that each step of the
// screen runs through the controller that owns it: the tick reports silence, a tuned string and
// its in-tune hook, and the tuning browser asks for the note labels. The controller answers each
// by delegating to the component that draws or records it. Every operation does nothing unless
// overridden, so a test rig implements only those it watches. Main thread only.
class ScreenHooks {
  public:
    // The silence look: empty labels, indicator hidden, yellow lamps.
    virtual void displayNoStrings() {}
    // The picture of string 1..5 in the tuned-string indicator.
    virtual void displayTunedString(std::int64_t /*string*/) {}
    // The in-tune hooks of strings 1 to 5, run on a match. They make no sound.
    virtual void play1stSoundOnce() {}
    virtual void play2ndSoundOnce() {}
    virtual void play3rdSoundOnce() {}
    virtual void play4thSoundOnce() {}
    virtual void play5thSoundOnce() {}
    // The note names of the current tuning's five strings.
    virtual void displayNotes() {}

  protected:
    ~ScreenHooks() = default;
};

}  // namespace strumwise::view
