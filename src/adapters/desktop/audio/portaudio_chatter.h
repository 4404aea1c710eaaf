#pragma once

#include <string>
#include <string_view>

namespace strumwise::platform::desktop {

// PortAudio's ALSA code prints a line on standard error for each ALSA call that fails on its way
// up ("Expression 'AlsaOpen( ... )' failed in 'src/hostapi/alsa/pa_linux_alsa.c', line: 1768"):
// some seventeen when a sound server goes away, and as many again at every attempt to open the
// input anew. It offers no way to turn them off, and they say nothing a player can act on; the
// tuner's own log says once, in a player's words, what was lost.
//
// Takes those lines out of what passes through it, and passes everything else on unchanged and
// at once: a part of a line is held back only while it may still become one of them.
class PortAudioChatterFilter {
  public:
    // What of `chunk`, and of what was held back before it, may be written now.
    std::string pass(std::string_view chunk);

  private:
    std::string held_;      // the start of a line that may still be PortAudio's
    bool passing_ = false;  // the current line is known not to be, and goes straight through
};

// Puts the filter on the process's standard error stream (`stderr`), through which PortAudio
// prints; what others write straight to its file descriptor (a sanitizer's report) is untouched.
// Call once, at the start of main, before any other thread exists.
void filterPortAudioChatter();

}  // namespace strumwise::platform::desktop
