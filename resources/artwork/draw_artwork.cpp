// Draws every picture the product shows into a folder, at build time:
//   strumwise_artwork OUTPUT_DIR ICON_FILE [THEME_DIR]
// The names are those the screen logic asks for; the sizes are twice the largest size a layout
// shows each picture at, so that they stay sharp when scaled down. THEME_DIR, when given, gets
// the application icon laid out as an icon theme's folders are, for installation.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <array>
#include <cstdio>
#include <string>

#include "banjo_painter.h"
#include "chart_painter.h"
#include "icon_painter.h"
#include "lamp_painter.h"
#include "palette.h"

namespace {

using namespace strumwise::artwork;

bool save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "strumwise_artwork: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    return true;
}

// The icon at the sizes desktops ask an icon theme for, and as SVG for every other size.
bool saveThemeIcons(const QString& themeDir) {
    const QString name = QStringLiteral("/apps/com.strumwise.tuner");
    bool ok = true;
    for (const int size : {48, 64, 128, 256, 512}) {
        const QString file =
            themeDir + QStringLiteral("/%1x%1").arg(size) + name + QLatin1String(".png");
        ok &= QDir().mkpath(QFileInfo(file).absolutePath()) && save(paintIcon(size), file);
    }
    const QString svgPath = themeDir + QStringLiteral("/scalable") + name + QLatin1String(".svg");
    if (!QDir().mkpath(QFileInfo(svgPath).absolutePath())) {
        std::fprintf(stderr, "strumwise_artwork: cannot create %s\n", qUtf8Printable(svgPath));
        return false;
    }
    constexpr int kSvgSize = 256;
    QSvgGenerator svg;
    svg.setFileName(svgPath);
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setResolution(96);  // CSS pixels, so the file says 256 px
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    svg.setTitle(QStringLiteral("Strumwise"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "strumwise_artwork: cannot write %s\n", qUtf8Printable(svgPath));
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    paintIcon(painter, kSvgSize);
    return painter.end() && ok;
}

struct PictureSize {
    const char* suffix;
    int width;
    int height;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: strumwise_artwork OUTPUT_DIR ICON_FILE [THEME_DIR]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString iconFile = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(outDir) || !QDir().mkpath(QFileInfo(iconFile).absolutePath())) {
        std::fprintf(stderr, "strumwise_artwork: cannot create the output folders\n");
        return 1;
    }
    const auto at = [&](const char* name) {
        return outDir + QLatin1Char('/') + QLatin1String(name);
    };

    bool ok = true;
    ok &= save(paintLamp(64, kInTune, kInTuneDeep), at("green64.png"));
    ok &= save(paintLamp(128, kInTune, kInTuneDeep), at("green128.png"));
    ok &= save(paintLamp(64, kWaiting, kWaitingDeep), at("yellow64.png"));
    ok &= save(paintLamp(128, kWaiting, kWaitingDeep), at("yellow128.png"));

    constexpr std::array<PictureSize, 6> kPictureSizes{{
        {"", 200, 300},
        {"_5", 220, 330},
        {"_6", 260, 390},
        {"_6plus", 280, 420},
        {"_iPad", 400, 600},
        {"_iPad_Pro", 440, 660},
    }};
    constexpr std::array<const char*, 5> kOrdinals{"1st", "2nd", "3rd", "4th", "5th"};
    for (int string = 1; string <= 5; ++string) {
        for (const auto& size : kPictureSizes) {
            const std::string name = std::string(kOrdinals[static_cast<std::size_t>(string - 1)]) +
                                     "_string" + size.suffix + ".png";
            ok &= save(paintBanjo(size.width, size.height, string), at(name.c_str()));
        }
    }

    for (std::uint64_t tuning = 1; tuning <= 4; ++tuning) {
        const std::string digit = tuning == 1 ? "" : std::to_string(tuning);
        ok &= save(paintChart(kPhoneChartWidth, kPhoneChartHeight, tuning, false),
                   at(("chartiphone" + digit + ".png").c_str()));
        ok &= save(paintChart(kPadChartWidth, kPadChartHeight, tuning, true),
                   at(("chartipad" + digit + ".png").c_str()));
    }

    ok &= save(paintIcon(256), iconFile);
    // The web edition's install icons, beside the icon file.
    const QString iconDir = QFileInfo(iconFile).absolutePath() + QLatin1Char('/');
    ok &= save(paintIcon(192), iconDir + QLatin1String("icon-192.png"));
    ok &= save(paintIcon(512), iconDir + QLatin1String("icon-512.png"));
    ok &= save(paintMaskableIcon(512), iconDir + QLatin1String("icon-maskable-512.png"));
    if (argc == 4) {
        ok &= saveThemeIcons(QString::fromLocal8Bit(argv[3]));
    }
    return ok ? 0 : 1;
}
