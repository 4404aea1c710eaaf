#include "tuner/tuning_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace strumwise::tuner {
namespace {

const std::map<std::string, std::pair<int, std::pair<int, int>>> kMidiAndBins{
    {"C3", {48, {305, 306}}},  {"D3", {50, {342, 343}}}, {"G3", {55, {457, 458}}},
    {"A3", {57, {513, 514}}},  {"B3", {59, {575, 578}}}, {"C4", {60, {609, 612}}},
    {"D4", {62, {684, 687}}},  {"E4", {64, {768, 771}}}, {"G4", {67, {913, 917}}},
    {"A4", {69, {1025, 1029}}}};

// Each window is equal temperament plus or minus 5 cents, rounded to 0.001 Hz, and holds exactly
// the estimator's bins listed above (bin k is 14039 k / 32768 Hz, as a float).
TEST(TuningTable, WindowsFollowTheirRuleAndHoldTheirBins) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            const auto& [midi, bins] = kMidiAndBins.at(std::string(note.name));
            const double f = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
            const auto rounded = [](double hz) { return std::round(hz * 1000) / 1000; };
            EXPECT_DOUBLE_EQ(note.windowLow, rounded(f * std::pow(2.0, -5.0 / 1200)));
            EXPECT_DOUBLE_EQ(note.windowHigh, rounded(f * std::pow(2.0, 5.0 / 1200)));
            for (int bin = bins.first - 1; bin <= bins.second + 1; ++bin) {
                const double hz = static_cast<float>(14039.0 * bin / 32768.0);
                const bool inside = bin >= bins.first && bin <= bins.second;
                EXPECT_EQ(matchString(tuning, hz) == string, inside) << note.name << " " << bin;
            }
        }
    }
    // No sound, no number, no such tuning or string: no match.
    const std::pair<std::uint64_t, double> unmatched[] = {
        {1, 0.0}, {1, std::nan("")}, {0, 293.5}, {5, 293.5}};
    for (const auto& [tuning, hz] : unmatched) {
        EXPECT_EQ(matchString(tuning, hz), std::nullopt) << tuning << " " << hz;
    }
    EXPECT_EQ(noteOf(1, 6), nullptr);
}

}  // namespace
}  // namespace strumwise::tuner
