#include "bench/lesson.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cmath>
#include <memory>

#include "device/device_link.h"
#include "display/graph.h"
#include "platform/window_timer.h"
#include "recording/recording.h"
#include "ui/commands.h"
#include "ui/form_load.h"
#include "zoom/zoom.h"

QString SamplesDir() {
    return QStringLiteral(KELVIRA_SAMPLES_DIR);
}

void CopySamples(const QString& dir) {
    for (const char* name : {"VEXO.TXT", "KION.CSV", "EKION.CSV"})
        QFile::copy(SamplesDir() + QLatin1Char('/') + QLatin1String(name),
                    dir + QLatin1Char('/') + QLatin1String(name));
}

namespace {
std::unique_ptr<Lesson> shared;
}  // namespace

Lesson& TheLesson() {
    if (!shared) shared = std::make_unique<Lesson>();
    return *shared;
}

void EndTheLesson() {
    shared.reset();
}

Lesson::Lesson() : home_(QDir::currentPath()) {
    CopySamples(dir_.path());
    QDir::setCurrent(dir_.path());
    Vexo::ResetRecording();
    Vexo::AttachRecording();
    Vexo::SwitchRecordingOff();
    Vexo::Form_Load();
    // The watch hands over to the poll after ten answers.
    while (Vexo::Timer4->running()) {
        queueAnswer();
        Vexo::Timer4->tick();
    }
    Vexo::Start_Click();
    for (int i = 0; i < 10; ++i) {
        pollTick();
        graphTick();
    }
}

Lesson::~Lesson() {
    QDir::setCurrent(home_);
}

void Lesson::recordLessons() {
    Vexo::Start_Click();
    Vexo::ResetRecording();
    Vexo::SetRecordingFolder(dir_.filePath(QStringLiteral("lessons")), {});
    Vexo::Start_Click();
}

void Lesson::queueAnswer() {
    ++step_;
    headless.line->receive(QByteArray(1, static_cast<char>(step_ % 2 ? 120 : 124)));
    // The stand-in line keeps every write for the tests; a lesson has no use for them.
    headless.line->writes.clear();
    headless.line->calls.clear();
}

void Lesson::pollTick() {
    queueAnswer();
    Vexo::Timer1_Timer();
    paint();
}

void Lesson::graphTick() {
    Vexo::Timer2_Timer();
    paint();
}

void Lesson::paint() {
    QCoreApplication::processEvents();
}

void Lesson::zoom(double factor) {
    SetZoom(factor);
    paint();
}

void Lesson::record(int ticks) {
    for (int t = 0; t <= ticks && t <= Vexo::LastTick; ++t)
        Vexo::TrendBuffer[t] = static_cast<float>(1400 + 300 * std::sin(t / 90.0));
    Vexo::ElapsedTicks = ticks;
}
