#include "platform/desktop/qt_user_defaults.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace strumwise::platform::desktop {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString QtUserDefaults::defaultFilePath(std::string_view domain) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/strumwise/") + toQString(domain) + QStringLiteral(".ini");
}

QtUserDefaults::QtUserDefaults(std::string domain, QString filePath)
    : domain_(std::move(domain)), filePath_(std::move(filePath)) {
    QSettings settings(filePath_, QSettings::IniFormat);
    for (const QString& key : settings.allKeys()) {
        values_.emplace(key.toStdString(), settings.value(key));
    }
}

QtUserDefaults::~QtUserDefaults() {
    std::lock_guard lock(mutex_);
    if (dirty_) {
        writeLocked();
    }
}

QVariant QtUserDefaults::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    const auto found = values_.find(key);
    return found != values_.end() ? found->second : QVariant();
}

void QtUserDefaults::set(std::string_view key, QVariant value) {
    std::lock_guard lock(mutex_);
    values_.insert_or_assign(std::string(key), std::move(value));
    dirty_ = true;
}

// Values read back from the file are texts; QVariant converts them as the phone's defaults
// convert stored numbers and strings ("true", "1" and non-zero numbers read as true).
bool QtUserDefaults::boolForKey(std::string_view key) const {
    const QVariant stored = value(key);
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString().trimmed().toLower();
        return text == QLatin1String("true") || text == QLatin1String("yes") ||
               text.toDouble() != 0.0;
    }
    return stored.toBool();
}

std::int64_t QtUserDefaults::integerForKey(std::string_view key) const {
    const QVariant stored = value(key);
    bool ok = false;
    if (stored.typeId() == QMetaType::QString) {
        const qlonglong whole = stored.toString().trimmed().toLongLong(&ok);
        if (ok) {
            return whole;
        }
    } else if (stored.typeId() != QMetaType::Double) {
        const qlonglong whole = stored.toLongLong(&ok);
        if (ok) {
            return whole;
        }
    }
    // A real number reads as its whole part ("2.75" reads 2), never rounded up.
    const double real = stored.toDouble(&ok);
    return ok && real > -9.2e18 && real < 9.2e18 ? static_cast<std::int64_t>(real) : 0;
}

double QtUserDefaults::doubleForKey(std::string_view key) const {
    bool ok = false;
    const double real = value(key).toDouble(&ok);
    return ok ? real : 0.0;
}

std::optional<std::string> QtUserDefaults::stringForKey(std::string_view key) const {
    const QVariant stored = value(key);
    if (!stored.isValid() || !stored.canConvert<QString>()) {
        return std::nullopt;
    }
    return stored.toString().toStdString();
}

void QtUserDefaults::setBool(bool value, std::string_view key) {
    set(key, QVariant(value));
}

void QtUserDefaults::setInteger(std::int64_t value, std::string_view key) {
    set(key, QVariant(static_cast<qlonglong>(value)));
}

void QtUserDefaults::setDouble(double value, std::string_view key) {
    set(key, QVariant(value));
}

void QtUserDefaults::setString(std::string_view value, std::string_view key) {
    set(key, QVariant(toQString(value)));
}

void QtUserDefaults::setEmptyPersistentDomain(std::string_view domainName) {
    // The store holds one domain, the application's; another name has nothing here to erase.
    if (domainName != domain_) {
        return;
    }
    std::lock_guard lock(mutex_);
    values_.clear();
    dirty_ = true;
}

bool QtUserDefaults::synchronize() {
    std::lock_guard lock(mutex_);
    return writeLocked();
}

bool QtUserDefaults::writeLocked() {
    if (!QDir().mkpath(QFileInfo(filePath_).absolutePath())) {
        return false;
    }
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.clear();
    for (const auto& [key, stored] : values_) {
        settings.setValue(QString::fromStdString(key), stored);
    }
    settings.sync();
    const bool written = settings.status() == QSettings::NoError;
    if (written) {
        dirty_ = false;
    }
    return written;
}

}  // namespace strumwise::platform::desktop
