#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/plain_file.h"

namespace PlainFile {

namespace {

std::wstring Wide(const QString& path) {
    return QString(path).replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
}

}  // namespace

int Create(const QString& path, bool replace, bool append, int& error) {
    // Binary, or the lines' CR LF would become CR CR LF.
    const int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (append ? _O_APPEND : 0) |
                      (replace ? _O_TRUNC : _O_EXCL);
    int fd = -1;
    error = _wsopen_s(&fd, Wide(path).c_str(), flags, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    return error == 0 ? fd : -1;
}

bool WriteWhole(int fd, const char* bytes, size_t size) {
    const int written = _write(fd, bytes, static_cast<unsigned>(size));
    if (written >= 0 && written != static_cast<int>(size)) errno = ENOSPC;
    return written == static_cast<int>(size);
}

bool Truncate(int fd, int64_t length) {
    return _chsize_s(fd, length) == 0;
}

void Sync(int fd) {
    _commit(fd);
}

void Close(int fd) {
    if (fd >= 0) _close(fd);
}

void Remove(const QString& path) {
    _wunlink(Wide(path).c_str());
}

int Duplicate(int fd) {
    return fd < 0 ? -1 : _dup(fd);
}

int OpenFolder(const QString&) {
    return -1;  // the folder's entries are the system's to keep
}

bool PutInPlace(int fd, const QString& from, const QString& to, void (*)(int fd)) {
    // An open file cannot be renamed here: it is brought onto the disk and closed first.
    _commit(fd);
    _close(fd);
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        Remove(from);
        return false;
    }
    return true;
}

}  // namespace PlainFile
