// The box goes away and comes back, during the connection watch and during a measurement,
// for 1 s and for 30 s. The four cases run side by side, each with its own box and program.
// While the box is gone the program must stay idle; once it is back the program must poll
// it again by itself, and show a reading within 3 s.
#include <QtTest>
#include <memory>

#include "support/box_rig.h"
#include "support/xvfb.h"

namespace {

constexpr int StartX = 60, StartY = 323;  // centre of the start button

struct Case {
    QString name;
    bool measuring = false;  // start a measurement before the box goes away
    double goneSeconds = 0;
    std::unique_ptr<BoxRig> rig;
    std::unique_ptr<Xvfb> x;  // a screen of its own, so no other window lies over its button

    enum Phase { Running, Clicking, WaitGone, Gone, Back, Done, Failed } phase = Running;
    QString why;
    long cpuAtGone = 0;
    QElapsedTimer clock;
    int traceMark = 0;
    double back = 0;

    void fail(const QString& reason) {
        phase = Failed;
        why = reason;
    }

    void start() {
        rig = std::make_unique<BoxRig>();
        // During the watch: gone after about four answers of ten. During a measurement:
        // gone well after the hand-over and the click on the start button.
        const double vanish = measuring ? 9 : 1.2;
        if (!rig->startBox({"--profile", "ramp:50", "--vanish-after", QString::number(vanish),
                            "--return-after", QString::number(goneSeconds)}))
            return fail("the box did not start");
        QStringList env;
        if (measuring)
            env << "QT_QPA_PLATFORM=xcb"
                << "DISPLAY=" + x->display();
        if (!rig->startProgram({}, {}, env)) return fail("the program did not start");
        phase = measuring ? Clicking : WaitGone;
    }

    void step() {
        if (phase == Done || phase == Failed) return;
        if (!rig->programRunning()) return fail("the program ended (" + rig->programEnding() + ")");
        switch (phase) {
            case Clicking:
                if (!rig->trace.printed(Announced) || rig->requests() < 14) return;
                if (!x->click(rig->programPid(), StartX, StartY))
                    return fail("xdotool could not click");
                if (!BoxRig::waitFor([&] { return rig->trace.last("Start") == "ストップ"; },
                                     2000))
                    return fail("the start command did not start a measurement");
                phase = WaitGone;
                return;
            case WaitGone:
                if (rig->eventTime("vanish") < 0) return;
                if (measuring && rig->trace.last("Start") != "ストップ")
                    return fail("the measurement stopped");
                cpuAtGone = rig->cpuTicks();
                clock.start();
                phase = Gone;
                return;
            case Gone: {
                if (rig->eventTime("return") < 0) return;
                const long ticks = rig->cpuTicks() - cpuAtGone;
                const double seconds = clock.elapsed() / 1000.0;
                if (!BoxRig::idle(ticks, seconds))
                    return fail(QString("busy while the box was gone: %1 ticks in %2 s")
                                    .arg(ticks)
                                    .arg(seconds));
                back = rig->eventTime("return");
                traceMark = rig->trace.size();
                clock.start();
                phase = Back;
                return;
            }
            case Back: {
                const bool polled = rig->requests(back) >= 2;
                const bool calibrated =
                    rig->trace.printed(QStringLiteral("気温データ(KION.CSV)読み込み。"));
                const bool shown = !calibrated || !rig->trace.values("Text1", traceMark).isEmpty();
                if (polled && shown) {
                    if (rig->trace.values("Picture2").count(Announced) != 1)
                        return fail("the connection was announced more than once");
                    if (measuring && rig->trace.last("Start") != "ストップ")
                        return fail("the measurement stopped");
                    phase = Done;
                    return;
                }
                if (clock.elapsed() > 3000)
                    return fail(polled ? "no reading within 3 s of the return"
                                       : "not polled within 3 s of the return");
                return;
            }
            default:
                return;
        }
    }
};

}  // namespace

class DeviceVanishTest : public QObject {
    Q_OBJECT
  private slots:
    void pollingResumesByItselfWhenTheBoxReturns() {
        std::vector<Case> cases(4);
        cases[0].name = "watch, gone 1 s";
        cases[0].goneSeconds = 1;
        cases[1].name = "watch, gone 30 s";
        cases[1].goneSeconds = 30;
        cases[2].name = "measuring, gone 1 s";
        cases[2].measuring = true;
        cases[2].goneSeconds = 1;
        cases[3].name = "measuring, gone 30 s";
        cases[3].measuring = true;
        cases[3].goneSeconds = 30;
        for (Case& c : cases) {
            if (c.measuring) {
                c.x = std::make_unique<Xvfb>();
                if (!c.x->ok()) {
                    c.fail("Xvfb or xdotool did not start");
                    continue;
                }
            }
            c.start();
        }
        auto finished = [&] {
            for (Case& c : cases) c.step();
            for (const Case& c : cases)
                if (c.phase != Case::Done && c.phase != Case::Failed)
                    return false;
            return true;
        };
        QVERIFY2(BoxRig::waitFor(finished, 90000), "the cases did not finish in time");
        QStringList failures;
        for (const Case& c : cases)
            if (c.phase == Case::Failed) failures << c.name + ": " + c.why;
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; ")));
    }
};

QTEST_GUILESS_MAIN(DeviceVanishTest)
#include "device_vanish_test.moc"
