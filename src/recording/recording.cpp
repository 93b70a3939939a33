// The lesson being recorded: which file it goes to, and what happens on start, tick, stop
// and reset. Everything here runs on the user-interface thread, inside the handlers.
#include "recording/recording.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "core/lesson.h"
#include "core/vexo.h"
#include "core/window_title.h"
#include "platform/plain_file.h"
#include "platform/png_writer.h"
#include "platform/surface.h"
#include "recording/background_sync.h"
#include "recording/lesson_file.h"

namespace Vexo {

void ResetRecordingFolder();  // recording_folder.cpp

namespace {

// The file is brought onto the disk every ten seconds of a measurement and at every stop.
constexpr int SyncEveryTicks = 20;
// Names tried for a lesson started within the same second as one before it.
constexpr int MaxNamesPerSecond = 1000;
constexpr int GraphSize = 400;  // the graph's square, in the drawing's pixels

// The graph's square in the picture's own pixels: larger when the window is zoomed, so that
// the saved picture is as sharp as the screen.
int GraphPixels() {
    return std::min({static_cast<int>(std::lround(GraphSize * Picture2->ratio())),
                     Picture2->image().width(), Picture2->image().height()});
}

struct Lesson {
    bool armed = false;   // a measurement runs and is being recorded
    bool fresh = true;    // the next start begins a new lesson
    bool failed = false;  // a fault ended the recording until the next start
    QDateTime startedAt;
    QString base;     // the lesson's files without their extension, once the CSV exists
    LessonFile file;  // its lines say how far the file has come in the lesson
    int ticksSinceSync = 0;
};

Lesson lesson;

void Fail() {
    CloseLessonFile(lesson.file);
    SetTitleMark(TitleMark::NotRecorded, true);
    lesson.failed = true;
}

// Creates the lesson's file: named after the measurement's start, with a number added when
// that name is taken; after a fault, the file it had is written again from the start.
bool OpenLesson() {
    const QString folder = RecordingFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    if (!lesson.base.isEmpty())
        return CreateLessonFile(lesson.file, lesson.base + QStringLiteral(".csv"), true) == 0;
    const QString stem = folder + QLatin1Char('/') +
                         lesson.startedAt.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    for (int n = 1; n <= MaxNamesPerSecond; ++n) {
        const QString base = n == 1 ? stem : stem + QLatin1Char('_') + QString::number(n);
        if (QFileInfo::exists(base + QStringLiteral(".png"))) continue;
        const int error = CreateLessonFile(lesson.file, base + QStringLiteral(".csv"), false);
        if (error == EEXIST) continue;
        if (error != 0) return false;
        lesson.base = base;
        // The folder's entry for the new file, too, must reach the disk.
        SyncInBackground(PlainFile::OpenFolder(folder));
        return true;
    }
    return false;
}

// The line of a tick as the lesson holds it.
bool WriteTick(int tick) {
    char line[TickLineMax];
    const int size = TickLine(line, tick, TrendBuffer[tick], TrendRaw[tick]);
    return WriteTickLine(lesson.file, tick, line, size);
}

// Writes the PNG next to its temporary name first, so that a crash never leaves half a
// picture under the lesson's name.
bool SavePicture(const QImage& picture, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !WritePng(picture, &buffer)) return false;
    const QString part = path + QStringLiteral(".part");
    int error = 0;
    const int fd = PlainFile::Create(part, true, false, error);
    if (fd < 0) return false;
    if (!PlainFile::WriteWhole(fd, png.constData(), static_cast<size_t>(png.size()))) {
        PlainFile::Close(fd);
        PlainFile::Remove(part);
        return false;
    }
    return PlainFile::PutInPlace(fd, part, path, SyncInBackground);
}

}  // namespace

void KeepRecordedTick(const RecordedTick& recorded) {
    if (!lesson.armed) return;
    const int tick = recorded.index;
    // The recording ends at the cap: ticks there have no time of their own.
    if (tick >= LastTick || lesson.failed) return;
    if (lesson.file.fd < 0) {
        if (!OpenLesson()) return Fail();
        SetTitleMark(TitleMark::NotRecorded, false);
    }
    // Normally one line; after a fault the ticks the file missed come first, from the lesson.
    for (int t = std::min(lesson.file.lines, tick); t <= tick; ++t)
        if (!WriteTick(t)) return Fail();
    if (++lesson.ticksSinceSync >= SyncEveryTicks) {
        lesson.ticksSinceSync = 0;
        SyncInBackground(DuplicateForSync(lesson.file.fd));
    }
}

namespace {

struct Recorder : LessonListener {
    void lessonStarted() override { RecordingStarts(); }
    void tickRecorded(const RecordedTick& tick) override { KeepRecordedTick(tick); }
    void lessonStopped() override { RecordingStops(); }
    void lessonErased() override { RecordingErased(); }
};

}  // namespace

void AttachRecording() {
    static Recorder recorder;
    Listen(recorder);
}

void RecordingStarts() {
    if (RecordingFolder().isEmpty()) return;
    if (lesson.fresh) {
        CloseLessonFile(lesson.file);
        lesson.fresh = false;
        lesson.base.clear();
        lesson.startedAt = QDateTime::currentDateTime();
    }
    // A fault is tried again: the next tick writes the whole recording afresh.
    lesson.failed = false;
    lesson.armed = true;
}

void RecordingStops() {
    if (!lesson.armed) return;
    lesson.armed = false;
    if (lesson.file.fd < 0) return;
    // The graph area read in place: a copy of the picture would leave the heap larger.
    const QImage& whole = Picture2->image();
    const QImage graph(whole.constBits(), GraphPixels(), GraphPixels(), whole.bytesPerLine(),
                       whole.format());
    const bool saved = SavePicture(graph, lesson.base + QStringLiteral(".png"));
#ifdef __GLIBC__
    malloc_trim(0);  // what the encoder used goes back to the system at once
#endif
    if (!saved) return Fail();
    SyncInBackground(DuplicateForSync(lesson.file.fd));
}

void RecordingErased() {
    SyncInBackground(DuplicateForSync(lesson.file.fd));
    CloseLessonFile(lesson.file);
    lesson.armed = false;
    lesson.fresh = true;
}

QString RecordingFile() {
    return lesson.base.isEmpty() ? QString() : lesson.base + QStringLiteral(".csv");
}

int RecordedTicks() {
    return lesson.file.lines;
}

QImage GraphPicture() {
    QImage graph = Picture2->image().copy(0, 0, GraphPixels(), GraphPixels());
    graph.setDevicePixelRatio(1);
    return graph;
}

void FinishRecording() {
    if (lesson.file.fd >= 0) PlainFile::Sync(lesson.file.fd);
    CloseLessonFile(lesson.file);
    lesson.armed = false;
}

void ResetRecording() {
    CloseLessonFile(lesson.file);
    lesson.file.lines = 0;
    lesson.armed = lesson.failed = false;
    lesson.fresh = true;
    lesson.base.clear();
    ResetRecordingFolder();
}

}  // namespace Vexo
