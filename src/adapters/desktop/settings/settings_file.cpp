#include "adapters/desktop/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <filesystem>

#include "base/printable_text.h"

namespace strumwise::platform::desktop {
namespace {

bool readAll(int descriptor, QByteArray& bytes) {
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        bytes.append(chunk, count);
    }
}

std::string notAFile(const struct stat& status) {
    return S_ISDIR(status.st_mode) ? "is a directory" : "is not a regular file";
}

std::string linkTarget(const QByteArray& name) {
    std::error_code failure;
    const std::filesystem::path target = std::filesystem::read_symlink(name.constData(), failure);
    return shownName(failure ? std::string("?") : target.string());
}

}  // namespace

SettingsFileLook lookAtSettingsFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    SettingsFileLook look;
    struct stat own {};
    if (::lstat(name.constData(), &own) != 0) {
        look.kind = errno == ENOENT || errno == ENOTDIR ? SettingsFileLook::Kind::Missing
                                                        : SettingsFileLook::Kind::Unreadable;
        return look;
    }
    const bool link = S_ISLNK(own.st_mode);
    // What the path leads to is looked at before it is opened: opening a device can do things.
    struct stat led {};
    if (link && ::stat(name.constData(), &led) != 0) {
        const bool loop = errno == ELOOP;
        look.kind = SettingsFileLook::Kind::OtherLink;
        look.what = "is a link to " + linkTarget(name);
        look.what += loop ? ", which is a loop" : ", which does not exist";
        return look;
    }
    const struct stat& target = link ? led : own;
    if (!S_ISREG(target.st_mode)) {
        look.kind = link ? SettingsFileLook::Kind::OtherLink : SettingsFileLook::Kind::NotAFile;
        look.what = link ? "is a link to " + linkTarget(name) + ", which " + notAFile(target)
                         : notAFile(target);
        return look;
    }
    // Without blocking, should a FIFO take the file's place between the look and the open.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        look.kind = SettingsFileLook::Kind::Unreadable;
        return look;
    }
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        look.kind = link ? SettingsFileLook::Kind::OtherLink : SettingsFileLook::Kind::NotAFile;
        look.what = "is not a regular file";
        return look;
    }
    const bool read = readAll(descriptor, look.bytes);
    ::close(descriptor);
    if (!read) {
        look.kind = SettingsFileLook::Kind::Unreadable;
        look.bytes.clear();
        return look;
    }
    look.kind = link ? SettingsFileLook::Kind::LinkedFile : SettingsFileLook::Kind::File;
    return look;
}

std::string lockFileProblem(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode)) {
        return {};
    }
    return notAFile(status);
}

bool writeNewFile(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    if (::unlink(name.constData()) != 0 && errno != ENOENT) {
        return false;
    }
    const int descriptor =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.constData() + done,
                                        static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        done += written;
    }
    return ::close(descriptor) == 0 && done == bytes.size();
}

}  // namespace strumwise::platform::desktop
