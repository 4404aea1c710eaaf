#include <gtest/gtest.h>

#include <string>

#include "trace/trace_format.h"

namespace strumwise::platform::trace {
namespace {

TraceEvent event(std::int64_t micros, std::string target, std::string op, TraceValue value,
                 TraceLayout layout = TraceLayout::TargetOpValue) {
    return TraceEvent{micros, std::move(target), std::move(op), std::move(value), layout};
}

// The other layouts are pinned by the end-to-end traces; these are the cases those never show.
TEST(TraceFormat, TextTimesAreCutToMillisecondsAndNoImageReadsNone) {
    EXPECT_EQ(formatTraceText(event(300'400, "LEDDisplay", "image", nullptr)),
              "0.300 LEDDisplay image none");
    EXPECT_EQ(formatTraceText(event(12'345'678, "tunedString5", "hidden", false)),
              "12.345 tunedString5 hidden 0");
}

TEST(TraceFormat, JsonLinesCarryTheSameEventWithExactTime) {
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

}  // namespace
}  // namespace strumwise::platform::trace
