#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace strumwise::platform::desktop {

// What lies at the settings file's path, seen without ever waiting on it: a FIFO or a device in
// the file's place would hold an ordinary open for ever, so the path is opened without blocking
// and only a regular file is read.
struct SettingsFileLook {
    enum class Kind {
        Missing,     // nothing there yet
        File,        // a regular file, whose bytes were read
        LinkedFile,  // a symbolic link to a regular file, whose bytes were read
        OtherLink,   // a symbolic link to nothing, to a loop, or to something not a regular file
        NotAFile,    // a folder, a FIFO, a device or a socket in the file's place
        Unreadable,  // there, but not to be opened by this user: an access problem, not ours
    };
    Kind kind = Kind::Missing;
    QByteArray bytes;
    // For NotAFile and OtherLink, what is there, in a few words ("is a directory", "is not a
    // regular file", "is a link to /etc/passwd, which is not a regular file").
    std::string what;
};

SettingsFileLook lookAtSettingsFile(const QString& path);

// Why a lock file at `path` can never be taken, whoever holds what: something other than a
// regular file is in its place ("is a directory"); empty when a lock may be tried there.
std::string lockFileProblem(const QString& path);

// Writes `bytes` to a new regular file at `path`, replacing whatever file or link was there and
// never following a link. Answers whether it did.
bool writeNewFile(const QString& path, const QByteArray& bytes);

}  // namespace strumwise::platform::desktop
