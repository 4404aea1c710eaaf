#pragma once

#include <string>

namespace strumwise::tuner {

// What one string is tuned to, as sounded: with the reference pitch, a capo or a spike applied.
struct StringTarget {
    int note = 0;           // MIDI number of the sounding note
    std::string noteName;   // "G3"
    std::string label;      // the frequency tuned to, as the screen shows it: "196Hz", "197.8Hz"
    float toneHertz = 0.f;  // what the fork button plays for it
    // The window of measured frequencies that counts as in tune, both ends inclusive.
    double windowLow = 0.0;
    double windowHigh = 0.0;

    // The pitch the window was cut around, its geometric middle: the meter's zero.
    double pitch() const;
    bool holds(double hertz) const { return windowLow <= hertz && hertz <= windowHigh; }
};

// The target of `note` (MIDI) named `noteName` at a reference of `referenceTenths` tenths of a
// hertz for A4. The window is the fixed plus or minus 5 cents of A4 = 440 Hz, each end rounded
// to 0.001 Hz, scaled by the reference over 440, so that at 440 Hz every window is exactly the
// one the tuner always had. At 440 Hz the ten notes of the tuner's own table keep their labels
// and tones; any other note or reference shows and plays the equal-tempered frequency, labelled
// to one decimal without a trailing ".0".
StringTarget stringTarget(int note, std::string noteName, int referenceTenths);

// The frequency as a label shows it: one decimal, rounded, without ".0", then "Hz".
std::string targetLabel(double hertz);

}  // namespace strumwise::tuner
