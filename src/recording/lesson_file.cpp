#include "recording/lesson_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "platform/plain_file.h"

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

QByteArray LessonCsv(const LessonRecord& lesson) {
    QByteArray csv(Header, sizeof Header - 1);
    csv.reserve(csv.size() + lesson.size() * 20);
    char line[TickLineMax];
    for (int tick = 0; tick < lesson.size(); ++tick)
        csv.append(line, TickLine(line, tick, lesson.hundredths[tick], lesson.raw[tick]));
    return csv;
}

int CreateLessonFile(LessonFile& file, const QString& path, bool replace) {
    CloseLessonFile(file);
    int error = 0;
    const int fd = PlainFile::Create(path, replace, true, error);
    if (fd < 0) return error;
    if (!PlainFile::WriteWhole(fd, Header, sizeof Header - 1)) {
        error = errno;
        PlainFile::Close(fd);
        PlainFile::Remove(path);
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
        if (!PlainFile::Truncate(file.fd, file.lineStart[tick])) return false;
        file.end = file.lineStart[tick];
        file.lines = tick;
    }
    if (!PlainFile::WriteWhole(file.fd, line, static_cast<size_t>(size))) {
        // No half line stays behind: a short write is taken back. Where even that fails the
        // file has gone with its device.
        if (!PlainFile::Truncate(file.fd, file.end)) errno = EIO;
        return false;
    }
    file.lineStart[tick] = file.end;
    file.end += size;
    file.lines = tick + 1;
    return true;
}

void CloseLessonFile(LessonFile& file) {
    PlainFile::Close(file.fd);
    file.fd = -1;
}

}  // namespace Vexo
