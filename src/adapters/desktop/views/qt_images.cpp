#include "adapters/desktop/views/qt_images.h"

#include <QFile>
#include <QString>

#include "chart_painter.h"
#include "tuner/tuning_chart.h"

namespace strumwise::platform::desktop {

namespace {

// The chart of a tuning the build drew no picture for, painted as the artwork program paints
// the four, at the size it paints them.
QPixmap drawnChart(const tuner::DrawnChart& chart) {
    artwork::ChartNotes notes;
    // The name lists the notes drone first, then strings 4 to 1.
    for (std::size_t i = 0; i < chart.notes.size(); ++i) {
        const std::size_t string = i == 0 ? 5 : chart.notes.size() - i;
        notes[string - 1] = QString::fromStdString(chart.notes[i]);
    }
    return QPixmap::fromImage(
        chart.padFamily
            ? artwork::paintChart(artwork::kPadChartWidth, artwork::kPadChartHeight, notes, true)
            : artwork::paintChart(artwork::kPhoneChartWidth, artwork::kPhoneChartHeight, notes,
                                  false));
}

}  // namespace

ImageRef QtImages::imageNamed(std::string_view name) const {
    if (const auto found = cache_.find(name); found != cache_.end()) {
        return found->second;
    }
    if (const auto chart = tuner::drawnChartOf(name)) {
        auto image = std::make_shared<const QtImage>(std::string(name), drawnChart(*chart));
        cache_.emplace(std::string(name), image);
        return image;
    }
    const QString path = QStringLiteral(":/images/") +
                         QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    // A name with a path separator could reach other resources; only plain file names count.
    if (name.empty() || name.find('/') != std::string_view::npos || !QFile::exists(path)) {
        return nullptr;
    }
    QPixmap pixmap(path);
    if (pixmap.isNull()) {
        return nullptr;
    }
    auto image = std::make_shared<const QtImage>(std::string(name), std::move(pixmap));
    cache_.emplace(std::string(name), image);
    return image;
}

}  // namespace strumwise::platform::desktop
