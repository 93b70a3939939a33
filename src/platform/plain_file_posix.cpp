#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "platform/plain_file.h"

namespace PlainFile {

int Create(const QString& path, bool replace, bool append, int& error) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : 0) |
                      (replace ? O_TRUNC : O_EXCL);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    error = fd < 0 ? errno : 0;
    return fd;
}

bool WriteWhole(int fd, const char* bytes, size_t size) {
    ssize_t written;
    do {
        written = ::write(fd, bytes, size);
    } while (written < 0 && errno == EINTR);
    if (written >= 0 && written != static_cast<ssize_t>(size)) errno = ENOSPC;
    return written == static_cast<ssize_t>(size);
}

bool Truncate(int fd, int64_t length) {
    return ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

void Sync(int fd) {
    ::fdatasync(fd);
}

void Close(int fd) {
    if (fd >= 0) ::close(fd);
}

void Remove(const QString& path) {
    ::unlink(QFile::encodeName(path).constData());
}

int Duplicate(int fd) {
    return fd < 0 ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

int OpenFolder(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool PutInPlace(int fd, const QString& from, const QString& to, void (*done)(int fd)) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        ::close(fd);
        Remove(from);
        return false;
    }
    done(fd);
    return true;
}

}  // namespace PlainFile
