#include "adapters/desktop/views/qt_images.h"

#include <QFile>
#include <QString>

namespace strumwise::platform::desktop {

ImageRef QtImages::imageNamed(std::string_view name) const {
    if (const auto found = cache_.find(name); found != cache_.end()) {
        return found->second;
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
