// The picture of the meter's last seconds on the desktop (its place in every layout is the
// layouts' test's): it draws each string's readings in a colour of its own that colour-blind
// players tell apart, and its accessible name says the trend in both languages.

#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <cmath>
#include <string>
#include <vector>

#include "adapters/desktop/system/qt_bundle.h"
#include "adapters/desktop/views/qt_reading_history.h"
#include "qt_test_app.h"

namespace strumwise::platform::desktop {
namespace {

using Kind = ReadingTrend::Kind;

// CIE lightness L* of a colour, 0 (black) to 100 (white).
double lightness(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                     0.0722 * linear(colour.blueF());
    return y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
}

TEST(ReadingHistoryColours, FiveStringsFiveLightnessesNoneTheBandsGreenAllSeenOnTheStage) {
    const QColor bandGreen(0x3d, 0xdc, 0x84);
    const QColor stage(0x2b, 0x25, 0x20);
    for (int a = 1; a <= 5; ++a) {
        const QColor colour = ReadingHistoryWidget::stringColour(a);
        // Bright enough to stand out on the dark stage.
        EXPECT_GT(lightness(colour) - lightness(stage), 25.0) << a;
        // Not the in-tune band's green: a hue at least 40 degrees away from it.
        const int hueGap = std::abs(colour.hslHue() - bandGreen.hslHue());
        EXPECT_GE(std::min(hueGap, 360 - hueGap), 40) << a;
        for (int b = a + 1; b <= 5; ++b) {
            // Told apart by lightness alone, as a player who sees no hue would.
            EXPECT_GE(
                std::abs(lightness(colour) - lightness(ReadingHistoryWidget::stringColour(b))), 7.0)
                << a << " and " << b;
        }
    }
}

TEST(ReadingHistoryDrawing, EachStringsReadingsInItsColourWithGapsLeftEmpty) {
    testing::qtTestApp();
    ReadingHistoryWidget widget;
    widget.resize(360, 100);
    // String 3 at +20 cents for two seconds, silence, then string 1 at -30 cents.
    std::vector<ReadingSample> samples;
    for (int tick = 0; tick <= 60; ++tick) {
        const double seconds = tick * 0.1;
        if (tick < 20) {
            samples.push_back({seconds, 3, 20.0, -5.0, 5.0});
        } else if (tick < 40) {
            samples.push_back({seconds, 0, 0.0, 0.0, 0.0});
        } else {
            samples.push_back({seconds, 1, -30.0, -5.0, 5.0});
        }
    }
    widget.setSamples(samples, 6.0);
    const QImage image = widget.grab().toImage();
    const auto colourAt = [&](double seconds, double cents) {
        const QPointF point = widget.pointOf({seconds, 1, cents, 0.0, 0.0});
        return image.pixelColor(static_cast<int>(std::lround(point.x())),
                                static_cast<int>(std::lround(point.y())));
    };
    const auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               40;
    };
    EXPECT_TRUE(near(colourAt(1.0, 20.0), ReadingHistoryWidget::stringColour(3)));
    EXPECT_TRUE(near(colourAt(5.0, -30.0), ReadingHistoryWidget::stringColour(1)));
    // Nothing read at 3 s: no line at either height.
    EXPECT_FALSE(near(colourAt(3.0, 20.0), ReadingHistoryWidget::stringColour(3)));
    EXPECT_FALSE(near(colourAt(3.0, -30.0), ReadingHistoryWidget::stringColour(1)));
    // Six seconds across: the oldest sample at the left edge, the newest at the right.
    EXPECT_NEAR(widget.pointOf(samples.front()).x(), widget.plotRect().left(), 1.0);
    EXPECT_NEAR(widget.pointOf(samples.back()).x(), widget.plotRect().right(), 1.0);
    // Sharp is up, and 50 cents reaches the plot's top edge.
    EXPECT_NEAR(widget.pointOf({0.0, 1, 50.0, 0.0, 0.0}).y(), widget.plotRect().top(), 1.0);
    EXPECT_NEAR(widget.pointOf({0.0, 1, 90.0, 0.0, 0.0}).y(), widget.plotRect().top(), 1.0);
    EXPECT_NEAR(widget.pointOf({0.0, 1, -50.0, 0.0, 0.0}).y(), widget.plotRect().bottom(), 1.0);
}

TEST(ReadingHistoryWords, TheTrendInEnglishAndSpanish) {
    testing::qtTestApp();
    struct Case {
        ReadingTrend trend;
        const char* english;
        const char* spanish;
    };
    const Case cases[] = {
        {{Kind::Settling, "G3", 2}, "G3, settling 2 cents sharp", "G3, asentándose 2 cents alta"},
        {{Kind::Settling, "D3", -9}, "D3, settling 9 cents flat", "D3, asentándose 9 cents baja"},
        {{Kind::InTune, "D4", 1}, "D4, in tune", "D4, afinada"},
        {{Kind::Drifting, "B3", -6},
         "B3, drifting flat, 6 cents",
         "B3, se aleja hacia abajo, 6 cents"},
        {{Kind::Drifting, "G4", 7},
         "G4, drifting sharp, 7 cents",
         "G4, se aleja hacia arriba, 7 cents"},
        {{Kind::Steady, "G3", 12}, "G3, steady 12 cents sharp", "G3, estable 12 cents alta"},
        {{Kind::Steady, "G3", -8}, "G3, steady 8 cents flat", "G3, estable 8 cents baja"},
        {{}, "No reading", "Sin lectura"},
    };
    for (const bool spanish : {false, true}) {
        const QtBundle bundle(spanish ? QLocale(QLocale::Spanish) : QLocale(QLocale::English),
                              true);
        for (const Case& c : cases) {
            EXPECT_EQ(spokenTrend(c.trend).toStdString(), spanish ? c.spanish : c.english);
        }
        // The widget's accessible name carries it.
        ReadingHistoryWidget widget;
        QtReadingHistory view(&widget);
        view.describe(cases[0].trend);
        EXPECT_EQ(widget.accessibleName().toStdString(),
                  spanish ? cases[0].spanish : cases[0].english);
    }
}

}  // namespace
}  // namespace strumwise::platform::desktop
