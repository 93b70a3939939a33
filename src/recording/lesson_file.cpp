#include "recording/lesson_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace Vexo {

namespace {

// UTF-8 with a byte-order mark, so that spreadsheet programs show the Japanese header.
constexpr char Header[] = "\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r\n";

char* PutNumber(char* at, long value) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0) *at++ = digits[--n];
    return at;
}

// Writes all of `size` bytes in one call; false on an error or a short write (ENOSPC).
bool WriteWhole(int fd, const char* bytes, size_t size) {
    ssize_t written;
    do {
        written = ::write(fd, bytes, size);
    } while (written < 0 && errno == EINTR);
    if (written >= 0 && written != static_cast<ssize_t>(size)) errno = ENOSPC;
    return written == static_cast<ssize_t>(size);
}

}  // namespace

int TickLine(char (&out)[TickLineMax], int tick, float hundredths, int raw) {
    char* at = PutNumber(out, tick / 2);
    *at++ = '.';
    *at++ = tick % 2 ? '5' : '0';
    *at++ = ',';
    // Degrees with one decimal at least and two at most: 23.0, 23.5, 23.25.
    const long h = std::lround(std::fmax(std::fmin(hundredths, 1e12F), -1e12F));
    if (h < 0) *at++ = '-';
    at = PutNumber(at, std::labs(h) / 100);
    const long cents = std::labs(h) % 100;
    *at++ = '.';
    *at++ = static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) *at++ = static_cast<char>('0' + cents % 10);
    *at++ = ',';
    if (raw >= 0) at = PutNumber(at, raw);
    *at++ = '\r';
    *at++ = '\n';
    return static_cast<int>(at - out);
}

int CreateLessonFile(LessonFile& file, const QString& path, bool replace) {
    CloseLessonFile(file);
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(),
               O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | (replace ? O_TRUNC : O_EXCL), 0666);
    if (fd < 0) return errno;
    if (!WriteWhole(fd, Header, sizeof Header - 1)) {
        const int error = errno;
        ::close(fd);
        ::unlink(name.constData());
        return error;
    }
    file.fd = fd;
    file.lines = 0;
    file.end = sizeof Header - 1;
    return 0;
}

bool WriteTickLine(LessonFile& file, int tick, const char* line, int size) {
    if (file.fd < 0 || tick < 0 || tick >= LastTick || tick > file.lines) return false;
    if (tick < file.lines) {
        if (::ftruncate(file.fd, file.lineStart[tick]) != 0) return false;
        file.end = file.lineStart[tick];
        file.lines = tick;
    }
    if (!WriteWhole(file.fd, line, static_cast<size_t>(size))) {
        // No half line stays behind: a short write is taken back. Where even that fails the
        // file has gone with its device.
        if (::ftruncate(file.fd, file.end) != 0) errno = EIO;
        return false;
    }
    file.lineStart[tick] = file.end;
    file.end += size;
    file.lines = tick + 1;
    return true;
}

void CloseLessonFile(LessonFile& file) {
    if (file.fd >= 0) ::close(file.fd);
    file.fd = -1;
}

}  // namespace Vexo
