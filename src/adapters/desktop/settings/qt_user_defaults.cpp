#include "adapters/desktop/settings/qt_user_defaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include "adapters/desktop/settings/settings_file.h"
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

std::string shown(const QString& path) {
    return shownName(path.toStdString());
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
    switch (takeStock()) {
        case FileState::Whole:
            loadLocked(QSettings(filePath_, QSettings::IniFormat));
            break;
        case FileState::Afresh:
            // Nothing of it can be trusted: the application sees no defaults, as on a first run,
            // and the first write replaces the whole file.
            pending_.eraseAll();
            break;
        case FileState::Missing:
        case FileState::Unusable:
            break;
    }
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

QtUserDefaults::FileState QtUserDefaults::takeStock() {
    if (unusable_) {
        return FileState::Unusable;
    }
    // QSettings waits on its own lock file for as long as it takes; one that can never be taken
    // would hold every write for ever.
    const QString settingsLock = filePath_ + QStringLiteral(".lock");
    if (const std::string problem = lockFileProblem(settingsLock); !problem.empty()) {
        return refuse("cannot be locked: " + shown(settingsLock) + " " + problem);
    }
    const SettingsFileLook look = lookAtSettingsFile(filePath_);
    switch (look.kind) {
        case SettingsFileLook::Kind::Missing:
            return FileState::Missing;
        case SettingsFileLook::Kind::Unreadable:
            // An access problem, not a parse problem: nothing is copied, and a write that fails
            // says so.
            return FileState::Whole;
        case SettingsFileLook::Kind::NotAFile:
            return refuse(look.what);
        case SettingsFileLook::Kind::OtherLink:
            return replaceLink("The settings file " + shown(filePath_) + " " + look.what);
        case SettingsFileLook::Kind::File:
        case SettingsFileLook::Kind::LinkedFile:
            break;
    }
    if (iniIsWhole(look.bytes) &&
        QSettings(filePath_, QSettings::IniFormat).status() != QSettings::FormatError) {
        return FileState::Whole;
    }
    if (look.bytes == setAside_) {
        return FileState::Afresh;  // kept and said already
    }
    setAside_ = look.bytes;
    const QString copy = filePath_ + QStringLiteral(".corrupt");
    const bool copied = writeNewFile(copy, look.bytes);
    const std::string said =
        "The settings in " + shown(filePath_) + " could not be read" +
        (copied ? "; they were kept in " + shown(copy) + " and" : ", nor copied aside;") +
        " the settings start afresh";
    if (look.kind == SettingsFileLook::Kind::LinkedFile) {
        // What the link leads to was never this program's to write: the link itself is replaced.
        return replaceLink(said);
    }
    say(said);
    return FileState::Afresh;
}

QtUserDefaults::FileState QtUserDefaults::refuse(const std::string& why) {
    unusable_ = true;
    say("The settings file " + shown(filePath_) + " " + why +
        "; the settings of this run will not be kept");
    return FileState::Unusable;
}

// `said` tells why; the line adds what becomes of the link.
QtUserDefaults::FileState QtUserDefaults::replaceLink(const std::string& said) {
    if (!QFile::remove(filePath_)) {
        unusable_ = true;
        say(said +
            "; the link cannot be replaced by a file of its own, so the settings of this "
            "run will not be kept");
        return FileState::Unusable;
    }
    say(said + "; the link is replaced by a file of its own");
    return FileState::Afresh;
}

void QtUserDefaults::say(const std::string& line) const {
    if (log_ != nullptr) {
        log_->write(line);
    }
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
        QDir().mkpath(QFileInfo(filePath_).absolutePath()) && lockCounter(counterLock);
    QVariant current;
    if (pending_.erasesAll() || pending_.changed().contains(key) || !locked) {
        // This process's own change, not yet written, is the latest; and without the lock the
        // count goes on from what this process knows rather than not at all.
        const auto found = values_.find(key);
        current = found != values_.end() ? found->second : QVariant();
    } else if (takeStock() == FileState::Whole) {
        current = QSettings(filePath_, QSettings::IniFormat).value(name);
    }
    const std::int64_t counted = update(storedInteger(current));
    pending_.set(key, QVariant(static_cast<qlonglong>(counted)));
    values_.insert_or_assign(std::string(key), QVariant(static_cast<qlonglong>(counted)));
    if (locked) {
        writeLocked();
    }
    return counted;
}

// Another window counting holds the lock for a moment, and is waited for; a lock that can never
// be taken (a folder or a FIFO in its place) is said once and never waited for again.
bool QtUserDefaults::lockCounter(QLockFile& counterLock) {
    if (unusable_ || counterUnlockable_) {
        return false;
    }
    const QString path = counterLock.fileName();
    std::string problem = lockFileProblem(path);
    if (problem.empty()) {
        if (counterLock.tryLock(0) || (counterLock.error() == QLockFile::LockFailedError &&
                                       counterLock.tryLock(kCounterLockWait))) {
            return true;
        }
        if (counterLock.error() == QLockFile::LockFailedError) {
            return false;  // held longer than any count takes: a hung window; not said
        }
        problem = "cannot be made";
    }
    counterUnlockable_ = true;
    say("The runs are counted without their lock, which keeps windows started at once from "
        "counting one run for two: " +
        shown(path) + " " + problem);
    return false;
}

bool QtUserDefaults::writeLocked() {
    if (unusable_) {
        return false;
    }
    if (pending_.empty()) {
        return true;
    }
    if (!QDir().mkpath(QFileInfo(filePath_).absolutePath())) {
        return false;
    }
    // Looked at now, so that the changes are laid over what other processes wrote meanwhile, and
    // never written through a link to what is not settings.
    const FileState state = takeStock();
    if (state == FileState::Unusable) {
        return false;
    }
    QSettings settings(filePath_, QSettings::IniFormat);
    if (pending_.erasesAll() || state == FileState::Afresh) {
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
