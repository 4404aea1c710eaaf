#pragma once

#include <string_view>

namespace strumwise::settings {

// Every key the application keeps in its user defaults, in one place. They keep their names
// across versions: stored data of earlier versions is read with them.

// Set once the application has run: its absence means a fresh installation.
inline constexpr std::string_view kHasRunBeforeKey = "Plinmoor";
// How many times the main screen has appeared since installation; the review shortcut reads it.
inline constexpr std::string_view kNumberOfRunsKey = "numberOfRuns";

// The rating prompt's record of this version's use and of the user's answers.
inline constexpr std::string_view kCurrentVersionKey = "kRatingPromptCurrentVersion";
inline constexpr std::string_view kFirstUseDateKey = "kRatingPromptFirstUseDate";
inline constexpr std::string_view kUseCountKey = "kRatingPromptUseCount";
inline constexpr std::string_view kSignificantEventCountKey = "kRatingPromptSignificantEventCount";
inline constexpr std::string_view kRatedCurrentVersionKey = "kRatingPromptRatedCurrentVersion";
inline constexpr std::string_view kDeclinedToRateKey = "kRatingPromptDeclinedToRate";
inline constexpr std::string_view kReminderRequestDateKey = "kRatingPromptReminderRequestDate";

// The desktop's own choices, kept between runs: the reference tones' volume (peak level in dBFS,
// a double) and the audio devices chosen on the About page (PortAudio device names, which stay
// the same across runs where indexes do not).
inline constexpr std::string_view kToneVolumeKey = "toneVolume";
inline constexpr std::string_view kInputDeviceKey = "inputDevice";
inline constexpr std::string_view kOutputDeviceKey = "outputDevice";

// The player's settings (see tuner/player_settings.h), each kept as text so that a value that
// cannot be read is told from one that is absent: the reference pitch for A4 in hertz ("442.0"),
// the names of the tunings the browser steps through and the player's own tunings ("name=notes",
// drone first), one to a line, the capo's and the fifth string's frets ("2") and the string read
// against ("3"; "0" for the string found by ear).
inline constexpr std::string_view kReferencePitchKey = "referencePitch";
inline constexpr std::string_view kBrowsedTuningsKey = "browsedTunings";
inline constexpr std::string_view kCustomTuningsKey = "customTunings";
inline constexpr std::string_view kCapoFretKey = "capoFret";
inline constexpr std::string_view kFifthStringFretKey = "fifthStringFret";
inline constexpr std::string_view kLockedStringKey = "lockedString";

}  // namespace strumwise::settings
