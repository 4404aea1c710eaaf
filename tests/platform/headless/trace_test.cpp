#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_images.h"
#include "platform/headless/headless_storyboard.h"
#include "platform/headless/memory_user_defaults.h"
#include "platform/headless/trace_format.h"
#include "platform/headless/trace_services.h"
#include "platform/headless/trace_sink.h"
#include "platform/headless/trace_views.h"
#include "platform/headless/virtual_run_loop.h"

namespace strumwise::platform::headless {
namespace {

TraceEvent event(std::int64_t micros, std::string target, std::string op, TraceValue value,
                 TraceLayout layout = TraceLayout::TargetOpValue) {
    return TraceEvent{micros, std::move(target), std::move(op), std::move(value), layout};
}

TEST(TraceFormat, TextLinesFollowEachLayout) {
    EXPECT_EQ(formatTraceText(event(300'000, "freq_label", "text", "293.5Hz")),
              "0.300 freq_label text \"293.5Hz\"");
    EXPECT_EQ(formatTraceText(event(300'400, "LEDDisplay", "image", nullptr)),
              "0.300 LEDDisplay image none");
    EXPECT_EQ(formatTraceText(event(12'345'678, "tunedString5", "hidden", false)),
              "12.345 tunedString5 hidden 0");
    EXPECT_EQ(
        formatTraceText(event(0, "log", "write", "Ya se abrió antes", TraceLayout::TargetValue)),
        "0.000 log \"Ya se abrió antes\"");
    EXPECT_EQ(formatTraceText(event(300'000, "resetTuningBools", "perform", TraceNumber{5.0, 3},
                                    TraceLayout::Perform)),
              "0.300 perform resetTuningBools after 5.000");
    EXPECT_EQ(
        formatTraceText(event(5'300'000, "resetTuningBools", "run", {}, TraceLayout::OpTarget)),
        "5.300 run resetTuningBools");
    EXPECT_EQ(formatTraceText(event(0, "tone", "frequency", TraceNumber{293.6000061, 1})),
              "0.000 tone frequency 293.6");
    EXPECT_EQ(formatTraceText(event(0, "alert", "show",
                                    TraceList{"Rate", "Enjoying it?", TraceList{"Yes", "No"}},
                                    TraceLayout::TargetValue)),
              "0.000 alert \"Rate\" \"Enjoying it?\" [\"Yes\", \"No\"]");
}

TEST(TraceFormat, JsonLinesCarryTheSameEventWithExactTime) {
    EXPECT_EQ(formatTraceJson(event(300'000, "freq_label", "text", "293.5Hz")),
              R"({"t":0.3,"target":"freq_label","op":"text","value":"293.5Hz"})");
    EXPECT_EQ(formatTraceJson(event(0, "LEDDisplay", "image", nullptr)),
              R"({"t":0,"target":"LEDDisplay","op":"image","value":null})");
    EXPECT_EQ(formatTraceJson(event(1'234'567, "resetTuningBools", "perform", TraceNumber{5.0, 3},
                                    TraceLayout::Perform)),
              R"({"t":1.234567,"target":"resetTuningBools","op":"perform","value":5})");
    EXPECT_EQ(formatTraceJson(event(0, "session", "setCategory",
                                    TraceList{TraceWord{"Cat"}, std::int64_t{8}, true})),
              R"({"t":0,"target":"session","op":"setCategory","value":["Cat",8,true]})");
}

TEST(TraceFormat, EscapingKeepsEveryEventOnOneLine) {
    EXPECT_EQ(quoteTraceString("say \"hi\" \\ now"), R"("say \"hi\" \\ now")");
    EXPECT_EQ(quoteTraceString("a\nb\tc\rd"), R"("a\nb\tc\rd")");
    EXPECT_EQ(quoteTraceString(std::string("bell\x07 nul", 9) + std::string(1, '\0')),
              R"("bell\u0007 nul\u0000")");
    // Valid UTF-8 passes; stray bytes become U+FFFD so JSON readers accept the line.
    EXPECT_EQ(quoteTraceString("abrió"), "\"abrió\"");
    EXPECT_EQ(quoteTraceString("bad\xff\xc3"), R"("bad\ufffd\ufffd")");
    EXPECT_EQ(quoteTraceString("\xed\xa0\x80"), R"("\ufffd\ufffd\ufffd")");  // a surrogate
}

class TracedViewsTest : public ::testing::Test {
  protected:
    TracedViewsTest()
        : sink([this] { return loop.now(); }, TraceSink::Format::Text,
               [this](std::string_view line) { lines.emplace_back(line); }) {}

    VirtualRunLoop loop;
    std::vector<std::string> lines;
    TraceSink sink;
    HeadlessImages images;
};

TEST_F(TracedViewsTest, WritesAreTracedAndReachTheWrappedViews) {
    HeadlessStoryboard layout("Main_iPhone6");
    TracedStoryboard storyboard(layout, "Main_iPhone6", sink);
    loop.advanceBy(300'000);

    storyboard.label("freq_label")->setText("293.5Hz");
    storyboard.imageView("LEDDisplay")->setImage(images.imageNamed("green64.png"));
    storyboard.imageView("LEDDisplay")->setImage(images.imageNamed("no such.png"));
    storyboard.imageView("tunedString5")->setHidden(true);
    storyboard.button("firstFreqButton")->setTitle("D4");

    EXPECT_EQ(lines, (std::vector<std::string>{
                         "0.300 freq_label text \"293.5Hz\"",
                         "0.300 LEDDisplay image \"green64.png\"",
                         "0.300 LEDDisplay image none",
                         "0.300 tunedString5 hidden 1",
                         "0.300 firstFreqButton title \"D4\"",
                     }));
    EXPECT_EQ(layout.labelState("freq_label")->text(), "293.5Hz");
    EXPECT_EQ(layout.imageViewState("LEDDisplay")->imageName(), std::nullopt);
    EXPECT_TRUE(layout.imageViewState("tunedString5")->hidden());
    EXPECT_EQ(layout.buttonState("firstFreqButton")->title(), "D4");
    // The same wrapper every time; a name of the wrong kind has no view.
    EXPECT_EQ(storyboard.label("freq_label"), storyboard.label("freq_label"));
    EXPECT_EQ(storyboard.label("LEDDisplay"), nullptr);
    EXPECT_EQ(storyboard.button("nonsense"), nullptr);
}

TEST_F(TracedViewsTest, ActionsAreTracedBeforeTheyReachTheHandler) {
    HeadlessStoryboard layout("Main_iPad");
    TracedStoryboard storyboard(layout, "Main_iPad", sink);
    EXPECT_FALSE(layout.press("showNextTuning:"));  // no handler yet: nothing happens
    std::vector<std::string> received;
    storyboard.setActionHandler([&](std::string_view action) {
        lines.push_back("handled");
        received.emplace_back(action);
    });
    EXPECT_TRUE(layout.press("showNextTuning:"));
    EXPECT_EQ(lines, (std::vector<std::string>{"0.000 press showNextTuning:", "handled"}));
    EXPECT_EQ(received, (std::vector<std::string>{"showNextTuning:"}));
}

TEST_F(TracedViewsTest, DefaultsWritesAreTracedAndReadsAreNot) {
    MemoryUserDefaults store;
    TracedUserDefaults defaults(store, sink);
    defaults.setInteger(2, "numberOfRuns");
    defaults.setString("1.0", "kRatingPromptCurrentVersion");
    defaults.setDouble(1704067200.25, "kRatingPromptFirstUseDate");
    EXPECT_EQ(defaults.integerForKey("numberOfRuns"), 2);
    defaults.setEmptyPersistentDomain("com.strumwise.tuner");
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "0.000 defaults set numberOfRuns 2",
                         "0.000 defaults set kRatingPromptCurrentVersion \"1.0\"",
                         "0.000 defaults set kRatingPromptFirstUseDate 1704067200.25",
                         "0.000 defaults reset",
                         "0.000 defaults sync",
                     }));
    EXPECT_FALSE(store.value("numberOfRuns").has_value());
}

}  // namespace
}  // namespace strumwise::platform::headless
