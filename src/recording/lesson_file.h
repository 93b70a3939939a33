// One lesson's CSV file, written a whole line at a time. The file is opened for appending
// and every tick's line goes out in one write, so that a crash loses at most the line being
// written. Where each tick's line begins is kept: a tick recorded again after a pause takes
// the place of its old line and of every line after it.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "core/lesson.h"
#include "core/vexo.h"

namespace Vexo {

struct LessonFile {
    int fd = -1;
    int lines = 0;    // ticks 0 .. lines - 1 are in the file
    int64_t end = 0;  // the file's length
    std::array<int64_t, LastTick> lineStart{};
};

// Longest line of one tick: "4999.5,-3276800.0,255\r\n" and then some.
constexpr int TickLineMax = 48;

// The line of tick `tick`: elapsed seconds, degrees as recorded, the raw byte (nothing when
// `raw` is negative: a held reading), CR LF. The numbers are written without the locale's
// help: the decimal point is always ".".
int TickLine(char (&out)[TickLineMax], int tick, float hundredths, int raw);

// Creates the file at `path` with its header: over an existing file only when `replace`.
// 0 when it is open, otherwise why not (an errno value, EEXIST when the name is taken).
int CreateLessonFile(LessonFile& file, const QString& path, bool replace);

// Writes the line of tick `tick` (at most one past the last tick in the file); a tick
// already in the file is first cut off with all that follows it. False when the file could
// not take it; a line only partly written is then cut off again.
bool WriteTickLine(LessonFile& file, int tick, const char* line, int size);

void CloseLessonFile(LessonFile& file);

// The whole lesson as its file holds it once every tick is written: the header, then a line a
// tick.
QByteArray LessonCsv(const LessonRecord& lesson);

}  // namespace Vexo
