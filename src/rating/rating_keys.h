#pragma once

#include <string_view>

namespace strumwise::rating {

// The rating prompt's keys in the user defaults. They keep their names across versions: stored
// data of earlier versions is read with them.
inline constexpr std::string_view kCurrentVersionKey = "kRatingPromptCurrentVersion";
inline constexpr std::string_view kFirstUseDateKey = "kRatingPromptFirstUseDate";
inline constexpr std::string_view kUseCountKey = "kRatingPromptUseCount";
inline constexpr std::string_view kSignificantEventCountKey = "kRatingPromptSignificantEventCount";
inline constexpr std::string_view kRatedCurrentVersionKey = "kRatingPromptRatedCurrentVersion";
inline constexpr std::string_view kDeclinedToRateKey = "kRatingPromptDeclinedToRate";
inline constexpr std::string_view kReminderRequestDateKey = "kRatingPromptReminderRequestDate";

// The main screen's run count, which the review shortcut reads.
inline constexpr std::string_view kNumberOfRunsKey = "numberOfRuns";

}  // namespace strumwise::rating
