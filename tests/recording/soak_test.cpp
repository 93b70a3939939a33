// A whole lesson at full speed: the handlers driven directly, as the timers and the teacher
// would drive them, through more than one complete recording, with invariants checked after
// every event and memory watched after the first simulated minute.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <cmath>
#include <fstream>
#include <random>

#include "platform/message_box.h"
#include "recording/recording.h"
#include "support/headless.h"
#include "ui/commands.h"
#include "ui/form_load.h"
#include "ui/fsettei.h"

namespace {

long ResidentKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    return -1;
}

void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray LinearTable(int low, int high) {
    QByteArray csv = "raw,degrees\r\n";
    for (int raw = 0; raw <= 255; ++raw)
        csv += QByteArray::number(std::lround(low + (high - low) * raw / 255.0)) + "\r\n";
    return csv;
}

// Rules in hundredths of a degree: rising at 30, 60 and 90, falling at 20 and -5; one with no
// time at all, one with a colour beyond the palette.
const QByteArray Customization =
    "U30T3C12\r\natui\r\n"
    "U60T5C14\r\nmotto atui\r\n"
    "U90C20\r\nsugoku atui\r\n"
    "D20T2C9\r\nsuzusii\r\n"
    "D-5T1C11\r\nsamui\r\n"
    "Kiroku=lessons\r\n";

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

    std::mt19937 random_{20261207};
    int pollTicks_ = 0;
    int graphTicks_ = 0;
    int alertsShown_ = 0;
    int pageTurns_ = 0;
    int widenings_ = 0;
    int capHeldTicks_ = 0;
    bool dialogOpen_ = false;

    // What the current lesson's file must hold: each tick index once, its latest value.
    QString keptFile_;
    int keptTicks_ = 0;
    int lessonsKept_ = 0;
    std::array<float, Vexo::LastTick> keptHundredths_{};
    std::array<int16_t, Vexo::LastTick> keptRaws_{};

    void Keep(int tick, int16_t raw) {
        if (Vexo::RecordingFile() != keptFile_) {
            CheckKept();
            keptFile_ = Vexo::RecordingFile();
            keptTicks_ = 0;
            ++lessonsKept_;
        }
        if (tick >= Vexo::LastTick) return;  // the cap: nothing more is appended
        keptTicks_ = tick + 1;
        keptHundredths_[tick] = Vexo::TrendBuffer[tick];
        keptRaws_[tick] = raw;
    }

    // Read line by line in place: the check itself must not make the heap grow.
    void CheckKept() {
        if (keptFile_.isEmpty()) return;
        QFile file(keptFile_);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        qsizetype at = bytes.indexOf('\n') + 1;  // after the header
        for (int t = 0; t < keptTicks_; ++t) {
            char want[64];
            const int size =
                std::snprintf(want, sizeof want, "%d.%d,%ld.0,%d\r\n", t / 2, t % 2 ? 5 : 0,
                              std::lround(keptHundredths_[t] / 100), int(keptRaws_[t]));
            QCOMPARE(bytes.mid(at, size), QByteArray(want));
            at += size;
        }
        QCOMPARE(at, bytes.size());  // nothing after the last tick
    }

    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void CheckInvariants(const Zanpo& w) {
        using namespace Vexo;
        QVERIFY(ElapsedTicks >= 0 && ElapsedTicks <= LastTick);
        QCOMPARE(ElapsedTicks, std::floor(ElapsedTicks));
        QVERIFY(PageStartTick >= 0 && PageStartTick <= LastTick);
        QVERIFY(AlertCount >= 0 && AlertCount <= MaxAlerts);
        QVERIFY(RawValue >= 0 && RawValue <= LastRaw);
        QVERIFY(std::isfinite(PixelsPerDegree));
        QVERIFY(ScaleMin < ScaleMax);
        const QString caption = w.Start->text();
        QVERIFY(caption == QStringLiteral("スタート") || caption == QStringLiteral("ストップ"));
        if (!dialogOpen_) {
            QCOMPARE(Timer2->running(), caption == QStringLiteral("ストップ"));
            QVERIFY(Timer1->running() || Timer4->running());
        }
        for (float v : LastPlotPoints) QVERIFY(std::isfinite(v));
    }

    // One teacher's action, chosen at random; the reset only while `resets` allows it.
    void Act(Zanpo& w, bool resets) {
        using namespace Vexo;
        const bool running = w.Start->text() == QStringLiteral("ストップ");
        switch (Roll(7)) {
            case 0:
            case 1:
                Start_Click();
                break;
            case 2:
                if (!running && resets && w.DataReset->isVisible()) DataReset_Click();
                break;
            case 3:
                Setumei_Click();
                break;
            case 4:
                Owari_Click();
                break;
            case 5: {
                int16_t cancel = 0;
                Form_Unload(cancel);
                break;
            }
            case 6: {
                Settei_Click();
                dialogOpen_ = true;
                CheckInvariants(w);
                Fsettei& d = TheSettingsDialog();
                const char* boxes[] = {"",    "100", "-10",  "35",    "20",     "150",
                                       "-50", "abc", "12.5", "1e400", "-1e400", "0"};
                d.Text1->setText(QString::fromLatin1(boxes[Roll(std::size(boxes))]));
                d.Text2->setText(QString::fromLatin1(boxes[Roll(std::size(boxes))]));
                d.Check1->setChecked(Roll(2) == 0);
                d.Option3[static_cast<size_t>(Roll(2))]->setChecked(true);
                if (Roll(2) == 0)
                    Owaru_Click();
                else
                    FCancel_Click();
                dialogOpen_ = false;
                break;
            }
        }
        CheckInvariants(w);
    }

  private slots:
    void wholeLessonAtFullSpeed() {
        using namespace Vexo;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        WriteFile("VEXO.TXT", Customization);
        WriteFile("KION.CSV", LinearTable(-20, 50));
        WriteFile("EKION.CSV", LinearTable(-10, 110));

        Headless h;
        Vexo::ResetRecording();
        Vexo::AttachRecording();
        int questions = 0;
        // The lesson goes on: the quit question is always answered No (its Yes is the end of
        // the program, tested with the commands); the reset question either way.
        SetMsgBoxHandler([&](const QString& text, int buttons, const QString&) {
            ++questions;
            if (buttons != vbYesNo) return int(vbOK);
            if (text == QStringLiteral("本当に終了しますか？")) return int(vbNo);
            return Roll(2) == 0 ? int(vbYes) : int(vbNo);
        });
        Form_Load();
        Zanpo& w = *h.window;

        // The box: a reading that wanders over the whole scale, with now and then a jump.
        int raw = 100;
        long timerThreeArmedAt = -1;
        long memoryAfterFirstMinute = -1;
        const double initialSpan = ScaleMax - ScaleMin;
        bool capReached = false;
        for (long ms = 0; ms < 20'000'000; ms += 100) {
            if (ms % 200 == 0) {
                raw = std::clamp(raw + Roll(9) - 4, 0, 255);
                if (Roll(2000) == 0) raw = Roll(256);
                h.line->receive(QByteArray(1, char(raw)));
                // The stand-in line keeps what was written; only the program is measured.
                h.line->writes.clear();
                h.line->calls.clear();
                if (Timer4->running()) {
                    Timer4->tick();
                    ++pollTicks_;
                } else if (Timer1->running()) {
                    const double span = ScaleMax - ScaleMin;
                    Timer1->tick();
                    ++pollTicks_;
                    if (ScaleMax - ScaleMin > span) ++widenings_;
                }
            }
            if (ms % 500 == 0 && Timer2->running()) {
                const float page = PageStartTick;
                const bool shownBefore = w.Text2->isVisible();
                const int tick = static_cast<int>(ElapsedTicks);
                Timer2->tick();
                Keep(tick, RawValue);
                ++graphTicks_;
                if (PageStartTick != page && PageStartTick > 0) ++pageTurns_;
                if (!shownBefore && w.Text2->isVisible()) ++alertsShown_;
                if (w.Text2->isVisible() && Timer3->running() && timerThreeArmedAt < 0)
                    timerThreeArmedAt = ms;
            }
            if (Timer3->running()) {
                if (timerThreeArmedAt < 0) timerThreeArmedAt = ms;
                if (ms - timerThreeArmedAt >= Timer3->interval()) {
                    Timer3->tick();
                    timerThreeArmedAt = -1;
                }
            } else {
                timerThreeArmedAt = -1;
            }
            CheckInvariants(w);
            if (QTest::currentTestFailed()) return;

            // The teacher: busy during the first recordings, then lets one run to the cap.
            const bool lessonStart = graphTicks_ < 3000;
            if (lessonStart && ms % 20'000 == 0) Act(w, true);
            if (!lessonStart && ms % 400'000 == 0) Act(w, false);
            if (!lessonStart && w.Start->text() == QStringLiteral("スタート") && !dialogOpen_)
                Start_Click();
            if (QTest::currentTestFailed()) return;

            if (ElapsedTicks == LastTick) {
                capReached = true;
                ++capHeldTicks_;
            }
            if (ms == 60'000) memoryAfterFirstMinute = ResidentKiB("VmRSS:");
            if (pollTicks_ >= 25'000 && graphTicks_ >= 12'000 && capHeldTicks_ >= 5'000) break;
        }
        const long memoryAtEnd = ResidentKiB("VmRSS:");
        CheckKept();
        qInfo(
            "poll ticks %d, graph ticks %d, alerts %d, page turns %d, widenings %d, "
            "questions %d, cap held %d, memory after 1 min %ld KiB, at end %ld KiB, peak %ld KiB",
            pollTicks_, graphTicks_, alertsShown_, pageTurns_, widenings_, questions, capHeldTicks_,
            memoryAfterFirstMinute, memoryAtEnd, ResidentKiB("VmHWM:"));

        QVERIFY(pollTicks_ >= 25'000);
        QVERIFY(graphTicks_ >= 12'000);
        QVERIFY(capReached);
        QVERIFY(lessonsKept_ > 1);
        QCOMPARE(QFileInfo(keptFile_).path(), folder.filePath("lessons"));
        QVERIFY(alertsShown_ > 0);
        QVERIFY(pageTurns_ > 0);
        QVERIFY(widenings_ > 0 || ScaleMax - ScaleMin > initialSpan);
        QCOMPARE(h.endRequests, 0);
        QDir::setCurrent(previous);
        // Nothing grows with the length of the lesson. The sanitizers hold freed memory back
        // for a while, so the resident size says nothing there; LeakSanitizer checks instead.
        if (!qEnvironmentVariableIsEmpty("KELVIRA_SANITIZED")) return;
        QVERIFY2(
            memoryAtEnd - memoryAfterFirstMinute < 1024,
            qPrintable(
                QStringLiteral("memory grew by %1 KiB").arg(memoryAtEnd - memoryAfterFirstMinute)));
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
