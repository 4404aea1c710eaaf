#pragma once

#include <array>
#include <string_view>

namespace strumwise::view {

// The actions a layout's controls send to the main screen controller, by name.
inline constexpr std::array<std::string_view, 5> kForkActions{
    "playD293_6Hz:", "playB246_9Hz:", "playG196Hz:", "playD146_8Hz:", "playG392Hz:"};
inline constexpr std::string_view kStopAction = "stopFreqPlay:";
inline constexpr std::string_view kPreviousTuningAction = "showPreviousTuning:";
inline constexpr std::string_view kNextTuningAction = "showNextTuning:";
// A touch on string k's caption (or its key) locks the tuner to string k; a second touch on the
// same caption lets it find the string by ear again.
inline constexpr std::array<std::string_view, 5> kLockStringActions{
    "lockString1:", "lockString2:", "lockString3:", "lockString4:", "lockString5:"};

// Links that leave the application: the maker's site, this application's review page and the
// store pages of the maker's twelve other applications (their addresses live in one
// configuration place in rating/).
inline constexpr std::string_view kMakerSiteAction = "redirectToVornhaltLabs:";
inline constexpr std::string_view kReviewAction = "reviewStrumwise:";
inline constexpr std::array<std::string_view, 12> kSiblingAppActions{
    "openGuitarTuner:",   "openUkuleleTuner:", "openMandolinTuner:", "openViolinTuner:",
    "openCelloTuner:",    "openBassTuner:",    "openBouzoukiTuner:", "openBalalaikaTuner:",
    "openMetronomeLite:", "openMetronomePro:", "openChordBookLite:", "openChordBookPro:"};

}  // namespace strumwise::view
