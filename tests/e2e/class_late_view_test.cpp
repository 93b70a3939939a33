// A class view that comes late or comes back holds every tick of every group's lesson so far:
// 40 groups publish through a real broker on 127.0.0.1 (the groups' own publisher, in this
// process), and the real class view, started mid-lesson or killed and started again while
// the groups go on, saves a CSV holding each group's every tick.
#include <signal.h>

#include <QtTest>
#include <memory>

#include "classroom/class_publisher.h"
#include "core/lesson.h"
#include "core/vexo.h"
#include "support/box_rig.h"
#include "support/broker.h"

namespace {

constexpr int Groups = 40;

QString Name(int g) {
    return QString("han%1").arg(g + 1, 2, 10, QChar('0'));
}

float Degrees(int g, int t) {
    return 20 + g * 0.5f + (t % 7);
}

// The column of `group` in the class's CSV, one value a tick.
QStringList Column(const QByteArray& csv, const QString& group) {
    QList<QByteArray> lines = csv.split('\n');
    const qsizetype column = lines.takeFirst().trimmed().split(',').indexOf(group.toUtf8());
    if (column < 1) return {"no column " + group};
    QStringList values;
    for (const QByteArray& line : lines)
        if (!line.trimmed().isEmpty()) values << line.trimmed().split(',').value(column);
    return values;
}

// One group's lesson, as its Kelvira holds it.
struct GroupLesson {
    std::array<float, Vexo::LastTick + 1> hundredths{};
    std::array<int16_t, Vexo::LastTick + 1> raw{};
    int ticks = 0;
    Vexo::LessonRecord record() const { return {hundredths.data(), raw.data(), &ticks}; }
};

QString Text(float degrees) {
    return QString::number(degrees, 'f', 1);
}

}  // namespace

class ClassLateViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Broker> broker_;
    std::vector<std::unique_ptr<GroupLesson>> lessons_;
    std::vector<std::unique_ptr<Vexo::ClassPublisher>> groups_;
    int recorded_ = 0;

    void record(int ticks) {
        for (int t = recorded_; t < recorded_ + ticks; ++t)
            for (int g = 0; g < Groups; ++g) {
                GroupLesson& lesson = *lessons_[g];
                lesson.hundredths[t] = Degrees(g, t) * 100;
                lesson.raw[t] = 63;
                lesson.ticks = t + 1;
                groups_[g]->tickRecorded({t, t / 2.0, Degrees(g, t), 63});
            }
        recorded_ += ticks;
        QVERIFY2(BoxRig::waitFor(
                     [&] {
                         for (auto& group : groups_)
                             if (group->acknowledgedTicks() < recorded_) return false;
                         return true;
                     },
                     20000),
                 "the broker did not acknowledge every tick");
    }

    bool startView(QProcess& view, const QString& csv) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        view.setProcessEnvironment(env);
        view.setProcessChannelMode(QProcess::ForwardedChannels);
        view.start(qEnvironmentVariable("KELVIRA_CLASS_BIN"), {broker_->url("2-1"), "--csv", csv});
        return view.waitForStarted(5000);
    }

    void checkCsv(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        for (int g = 0; g < Groups; ++g) {
            QStringList expected;
            for (int t = 0; t < recorded_; ++t) expected << Text(Degrees(g, t));
            QCOMPARE(Column(csv, Name(g)), expected);
        }
    }

  private slots:
    void init() {
        broker_ = std::make_unique<Broker>();
        QVERIFY(broker_->start());
        for (int g = 0; g < Groups; ++g) {
            lessons_.push_back(std::make_unique<GroupLesson>());
            groups_.push_back(std::make_unique<Vexo::ClassPublisher>(
                ClassLink::ParseClassAddress(broker_->url("2-1")), Name(g),
                Vexo::ShownScale{-10, 100, false}, lessons_.back()->record()));
            groups_.back()->lessonStarted();
        }
        recorded_ = 0;
    }
    void cleanup() {
        groups_.clear();
        lessons_.clear();
        broker_.reset();
    }

    void aViewStartedMidLessonHoldsTheLessonSoFar() {
        record(130);  // 5 200 ticks, more than a broker queues for a client
        QTemporaryDir dir;
        QProcess view;
        QVERIFY(startView(view, dir.filePath("class.csv")));
        QTest::qWait(5000);
        view.terminate();
        QVERIFY(view.waitForFinished(10000));
        checkCsv(dir.filePath("class.csv"));
    }

    void aViewStartedAgainHoldsWhatItMissed() {
        QTemporaryDir dir;
        QProcess view;
        QVERIFY(startView(view, dir.filePath("class.csv")));
        record(40);
        QTest::qWait(2000);
        ::kill(static_cast<pid_t>(view.processId()), SIGKILL);
        QVERIFY(view.waitForFinished(5000));
        record(90);  // while it is away
        QVERIFY(startView(view, dir.filePath("class.csv")));
        QTest::qWait(5000);
        record(10);  // and after it is back
        QTest::qWait(2000);
        view.terminate();
        QVERIFY(view.waitForFinished(10000));
        checkCsv(dir.filePath("class.csv"));
    }
};

QTEST_GUILESS_MAIN(ClassLateViewTest)
#include "class_late_view_test.moc"
