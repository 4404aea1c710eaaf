#include "adapters/desktop/settings/qt_user_defaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include "base/printable_text.h"
#include "platform/defaults_integer.h"

namespace strumwise::platform::desktop {
namespace {

// Long enough for any other window's count to be written; a lock left by a crashed process is
// taken over sooner, once its process is found gone.
constexpr int kCounterLockWait = 10000;

// Whether `text` is an INI file whose every line QSettings reads as written: well-formed UTF-8
// without control characters other than tabs and line ends, and each line blank, a comment, a
// [section], a key=value or the continuation of a value. QSettings passes over much that is
// not without a word, and a stray line glued to a section header moves every key below it out
// of reach, which would silently reset the history.
bool iniIsWhole(const QByteArray& text) {
    QString decoded = QString::fromUtf8(text);
    if (decoded.contains(QChar::ReplacementCharacter) || decoded.toUtf8() != text) {
        return false;
    }
    if (decoded.startsWith(QChar::ByteOrderMark)) {
        decoded.remove(0, 1);
    }
    bool continued = false;
    for (const QString& rawLine : decoded.split(QLatin1Char('\n'))) {
        for (const QChar c : rawLine) {
            if (c.category() == QChar::Other_Control && c != QLatin1Char('\t') &&
                c != QLatin1Char('\r')) {
                return false;
            }
        }
        const QString line = rawLine.trimmed();
        const bool continuation = continued;
        continued = line.endsWith(QLatin1Char('\\'));
        if (continuation || line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const bool section = line.startsWith(QLatin1Char('['));
        if (section ? !line.endsWith(QLatin1Char(']')) || line.size() < 3
                    : line.indexOf(QLatin1Char('=')) <= 0) {
            return false;
        }
    }
    return true;
}

// Whether the file at `path` is missing or read whole by `settings`, made from it.
bool readableWhole(const QString& path, const QSettings& settings) {
    if (settings.status() == QSettings::FormatError) {
        return false;
    }
    QFile file(path);
    if (!file.exists()) {
        return true;
    }
    // A file that cannot be opened is an access problem, not a parse problem: it is not copied.
    return !file.open(QIODevice::ReadOnly) || iniIsWhole(file.readAll());
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString QtUserDefaults::defaultFilePath(std::string_view domain) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/strumwise/") + toQString(domain) + QStringLiteral(".ini");
}

QtUserDefaults::QtUserDefaults(std::string domain, QString filePath, platform::Log* log)
    : domain_(std::move(domain)), filePath_(std::move(filePath)), log_(log) {
    std::lock_guard lock(mutex_);
    const QSettings settings(filePath_, QSettings::IniFormat);
    if (!readableWhole(filePath_, settings)) {
        // Nothing of it can be trusted: the application sees no defaults, as on a first run, and
        // the first write replaces the whole file.
        keepUnreadableCopy();
        pending_.eraseAll();
        return;
    }
    loadLocked(settings);
}

QtUserDefaults::~QtUserDefaults() {
    std::lock_guard lock(mutex_);
    writeLocked();
}

void QtUserDefaults::loadLocked(const QSettings& settings) {
    values_.clear();
    for (const QString& key : settings.allKeys()) {
        values_.emplace(key.toStdString(), settings.value(key));
    }
}

void QtUserDefaults::keepUnreadableCopy() {
    const QString copy = filePath_ + QStringLiteral(".corrupt");
    QFile::remove(copy);
    const bool copied = QFile::copy(filePath_, copy);
    if (log_ == nullptr) {
        return;
    }
    const std::string file = printableText(filePath_.toStdString());
    log_->write(copied ? "The settings in " + file + " could not be read; they were kept in " +
                             printableText(copy.toStdString()) + " and the settings start afresh"
                       : "The settings in " + file +
                             " could not be read, nor copied aside; the settings start afresh");
}

QVariant QtUserDefaults::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    const auto found = values_.find(key);
    return found != values_.end() ? found->second : QVariant();
}

void QtUserDefaults::set(std::string_view key, QVariant value) {
    std::lock_guard lock(mutex_);
    pending_.set(key, value);
    values_.insert_or_assign(std::string(key), std::move(value));
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
    return storedInteger(value(key)).value;
}

StoredInteger QtUserDefaults::storedInteger(const QVariant& stored) const {
    StoredInteger result;
    if (stored.isValid() && stored.canConvert<QString>()) {
        result.text = stored.toString().toStdString();
    }
    bool ok = false;
    if (stored.typeId() == QMetaType::QString) {
        const qlonglong whole = stored.toString().trimmed().toLongLong(&ok);
        if (ok) {
            result.value = whole;
            return result;
        }
    } else if (stored.typeId() != QMetaType::Double) {
        const qlonglong whole = stored.toLongLong(&ok);
        if (ok) {
            result.value = whole;
            return result;
        }
    }
    const double real = stored.toDouble(&ok);
    result.value = ok ? defaultsInteger(real) : 0;
    return result;
}

double QtUserDefaults::doubleForKey(std::string_view key) const {
    bool ok = false;
    const double real = value(key).toDouble(&ok);
    return ok ? real : 0.0;
}

std::optional<std::string> QtUserDefaults::stringForKey(std::string_view key) const {
    return storedInteger(value(key)).text;
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
    pending_.eraseAll();
}

bool QtUserDefaults::synchronize() {
    std::lock_guard lock(mutex_);
    return writeLocked();
}

std::int64_t QtUserDefaults::updateInteger(std::string_view key, const IntegerUpdate& update) {
    std::lock_guard lock(mutex_);
    const QString name = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    // Not QSettings' own `<file>.lock`, which its sync takes below and which is not reentrant.
    QLockFile counterLock(filePath_ + QStringLiteral(".counter.lock"));
    const bool locked =
        QDir().mkpath(QFileInfo(filePath_).absolutePath()) && counterLock.tryLock(kCounterLockWait);
    QVariant current;
    if (pending_.erasesAll() || pending_.changed().contains(key) || !locked) {
        // This process's own change, not yet written, is the latest; and without the lock the
        // count goes on from what this process knows rather than not at all.
        const auto found = values_.find(key);
        current = found != values_.end() ? found->second : QVariant();
    } else {
        const QSettings settings(filePath_, QSettings::IniFormat);
        if (readableWhole(filePath_, settings)) {
            current = settings.value(name);
        }
    }
    const std::int64_t counted = update(storedInteger(current));
    pending_.set(key, QVariant(static_cast<qlonglong>(counted)));
    values_.insert_or_assign(std::string(key), QVariant(static_cast<qlonglong>(counted)));
    if (locked) {
        writeLocked();
    }
    return counted;
}

bool QtUserDefaults::writeLocked() {
    if (pending_.empty()) {
        return true;
    }
    if (!QDir().mkpath(QFileInfo(filePath_).absolutePath())) {
        return false;
    }
    // Read now, so that the changes are laid over what other processes wrote meanwhile.
    QSettings settings(filePath_, QSettings::IniFormat);
    if (pending_.erasesAll()) {
        settings.clear();
    } else if (!readableWhole(filePath_, settings)) {
        keepUnreadableCopy();
        settings.clear();
    }
    for (const auto& [key, stored] : pending_.changed()) {
        settings.setValue(QString::fromStdString(key), stored);
    }
    settings.sync();
    // A parse error of the file read above stays in the status; only access errors mean the
    // file was not written.
    if (settings.status() == QSettings::AccessError) {
        return false;
    }
    pending_.clear();
    loadLocked(settings);
    return true;
}

}  // namespace strumwise::platform::desktop
