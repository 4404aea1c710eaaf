#include "tuner/tuning_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace strumwise::tuner {
namespace {

// The window rule: equal temperament from A4 = 440 Hz, plus or minus 5 cents, each end rounded
// to 0.001 Hz. Checks the stored constants against it, so a mistyped digit cannot hide.
TEST(TuningTable, WindowsArePlusMinusFiveCentsRoundedToMillihertz) {
    const std::map<std::string, int> midi{{"C3", 48}, {"D3", 50}, {"G3", 55}, {"A3", 57},
                                          {"B3", 59}, {"C4", 60}, {"D4", 62}, {"E4", 64},
                                          {"G4", 67}, {"A4", 69}};
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            SCOPED_TRACE(std::string(note.name));
            const double f = 440.0 * std::pow(2.0, (midi.at(std::string(note.name)) - 69) / 12.0);
            EXPECT_DOUBLE_EQ(note.windowLow,
                             std::round(f * std::pow(2.0, -5.0 / 1200) * 1000) / 1000);
            EXPECT_DOUBLE_EQ(note.windowHigh,
                             std::round(f * std::pow(2.0, 5.0 / 1200) * 1000) / 1000);
        }
    }
}

TEST(TuningTable, StringsOfEachTuning) {
    const std::vector<std::vector<std::string>> notes{{"D4", "B3", "G3", "D3", "G4"},
                                                      {"E4", "D4", "A3", "D3", "A4"},
                                                      {"D4", "C4", "G3", "C3", "G4"},
                                                      {"D4", "C4", "G3", "D3", "G4"}};
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            EXPECT_EQ(noteOf(tuning, string)->name, notes[tuning - 1][string - 1]);
        }
    }
    EXPECT_EQ(noteOf(3, 4)->referenceLabel, "130.8Hz");
    EXPECT_FLOAT_EQ(noteOf(3, 4)->referenceFrequency, 130.8f);
    EXPECT_EQ(noteOf(1, 3)->referenceLabel, "196Hz");
}

TEST(TuningTable, WindowEndsBelongToTheWindow) {
    EXPECT_EQ(matchString(1, 292.818), 1);
    EXPECT_EQ(matchString(1, 294.514), 1);
    EXPECT_EQ(matchString(1, 292.8179), std::nullopt);
    EXPECT_EQ(matchString(1, 294.5141), std::nullopt);
}

TEST(TuningTable, MatchDependsOnTheTuning) {
    EXPECT_EQ(matchString(1, 293.5), 1);
    EXPECT_EQ(matchString(2, 293.5), 2);
    EXPECT_EQ(matchString(3, 293.5), 1);
    EXPECT_EQ(matchString(4, 293.5), 1);

    EXPECT_EQ(matchString(1, 261.0), std::nullopt);
    EXPECT_EQ(matchString(2, 261.0), std::nullopt);
    EXPECT_EQ(matchString(3, 261.0), 2);
    EXPECT_EQ(matchString(4, 261.0), 2);

    EXPECT_EQ(matchString(3, 130.8), 4);
    for (const std::uint64_t tuning : {1, 2, 4}) {
        EXPECT_EQ(matchString(tuning, 130.8), std::nullopt);
        EXPECT_EQ(matchString(tuning, 146.8), 4);
    }
}

TEST(TuningTable, SilenceGapsAndUnknownTuningsMatchNothing) {
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        EXPECT_EQ(matchString(tuning, 0.0), std::nullopt);
        EXPECT_EQ(matchString(tuning, 300.0), std::nullopt);
        EXPECT_EQ(matchString(tuning, -293.5), std::nullopt);
        EXPECT_EQ(matchString(tuning, std::nan("")), std::nullopt);
    }
    for (const std::uint64_t tuning : {std::uint64_t{0}, std::uint64_t{5}, ~std::uint64_t{0}}) {
        EXPECT_EQ(matchString(tuning, 293.5), std::nullopt);
        EXPECT_EQ(noteOf(tuning, 1), nullptr);
    }
    EXPECT_EQ(noteOf(1, 0), nullptr);
    EXPECT_EQ(noteOf(1, 6), nullptr);
}

// The estimator reports whole bins of 14039 / 32768 Hz; these are the bins each window takes.
TEST(TuningTable, EstimatorBinsThatFallInEachWindow) {
    const std::map<std::string, std::pair<int, int>> bins{
        {"C3", {305, 306}}, {"D3", {342, 343}},  {"G3", {457, 458}}, {"A3", {513, 514}},
        {"B3", {575, 578}}, {"C4", {609, 612}},  {"D4", {684, 687}}, {"E4", {768, 771}},
        {"G4", {913, 917}}, {"A4", {1025, 1029}}};
    for (std::uint64_t tuning = 1; tuning <= kTuningCount; ++tuning) {
        for (int string = 1; string <= kStringCount; ++string) {
            const Note& note = *noteOf(tuning, string);
            const auto [first, last] = bins.at(std::string(note.name));
            for (int bin = first - 1; bin <= last + 1; ++bin) {
                // The estimate is a float, widened for the comparison.
                const double hz = static_cast<float>(14039.0 * bin / 32768.0);
                const bool inside = bin >= first && bin <= last;
                EXPECT_EQ(matchString(tuning, hz) == string, inside) << note.name << " bin " << bin;
            }
        }
    }
}

}  // namespace
}  // namespace strumwise::tuner
