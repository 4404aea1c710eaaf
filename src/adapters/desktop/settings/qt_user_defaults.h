#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <map>
#include <mutex>
#include <string>

#include "platform/log.h"
#include "platform/pending_defaults.h"
#include "platform/user_defaults.h"

class QLockFile;

namespace strumwise::platform::desktop {

// The application's user defaults on the desktop: an INI file read with QSettings, by default
// $XDG_CONFIG_HOME/strumwise/<domain>.ini. Values live in memory and reach the file on
// synchronize(), and when the store is destroyed, so a clean exit loses nothing.
//
// Several windows may share the file: a write carries only the keys this process changed since
// its last write, laid over what the file holds then (QSettings locks the file and merges), and
// nothing is written when nothing changed, so one window's old copy never undoes another's
// counts or drops a key it added. Counters are counted on what the file holds at that moment,
// under a lock of their own, so two windows started at once count two runs; a counter lock that
// can never be taken is said once and counting goes on without it. A file with any problem of
// parsing (a line QSettings would skip or misread, bytes that are not UTF-8) is copied aside to
// `<file>.corrupt` with one log line, and the store starts afresh as on a first run.
//
// The file is never waited on and never written through to what is not settings: a symbolic link
// is followed only to a regular file that reads whole; any other link is replaced by a file of
// the store's own (its target's bytes copied aside first when they are no settings). A folder, a
// FIFO or a device in the file's place, or in its lock's, is left alone: the store says so once
// and keeps the settings of that run in memory only.
//
// Every operation is safe from any thread: QSettings objects are made and used only under the
// store's mutex, on the calling thread.
class QtUserDefaults final : public UserDefaults {
  public:
    // The file of `domain` (the bundle identifier) in the user's XDG configuration directory.
    static QString defaultFilePath(std::string_view domain);

    // Reads `filePath` if it exists; the file and its folder are created on the first
    // synchronize. `log`, when given, hears of a file that could not be read.
    QtUserDefaults(std::string domain, QString filePath, platform::Log* log = nullptr);
    ~QtUserDefaults() override;

    bool boolForKey(std::string_view key) const override;
    std::int64_t integerForKey(std::string_view key) const override;
    double doubleForKey(std::string_view key) const override;
    std::optional<std::string> stringForKey(std::string_view key) const override;

    void setBool(bool value, std::string_view key) override;
    void setInteger(std::int64_t value, std::string_view key) override;
    void setDouble(double value, std::string_view key) override;
    void setString(std::string_view value, std::string_view key) override;

    void setEmptyPersistentDomain(std::string_view domainName) override;
    bool synchronize() override;
    // Reads the key from the file and writes the result back to it, with every other pending
    // change, while holding `<file>.counter.lock`, so that windows counting at once take turns.
    std::int64_t updateInteger(std::string_view key, const IntegerUpdate& update) override;

    const QString& filePath() const { return filePath_; }
    // Whether the store has said that it leaves the file alone this run, so that a failed write
    // need not be said again.
    bool leavesFileAlone() const {
        std::lock_guard lock(mutex_);
        return unusable_;
    }

  private:
    // What the file holds for the store: nothing yet, settings to read and lay changes over,
    // nothing to trust (the first write replaces it), or nothing to touch this run.
    enum class FileState { Missing, Whole, Afresh, Unusable };

    QVariant value(std::string_view key) const;
    StoredInteger storedInteger(const QVariant& stored) const;
    void set(std::string_view key, QVariant value);
    bool writeLocked();
    void loadLocked(const QSettings& settings);
    FileState takeStock();
    FileState refuse(const std::string& why);
    FileState replaceLink(const std::string& said);
    bool lockCounter(QLockFile& counterLock);
    void say(const std::string& line) const;

    const std::string domain_;
    const QString filePath_;
    platform::Log* const log_;
    mutable std::mutex mutex_;
    std::map<std::string, QVariant, std::less<>> values_;
    PendingDefaults<QVariant> pending_;
    // Said once each: the file is not to be touched this run; its counter's lock cannot be
    // taken; these unreadable bytes were copied aside.
    bool unusable_ = false;
    bool counterUnlockable_ = false;
    QByteArray setAside_;
};

}  // namespace strumwise::platform::desktop
