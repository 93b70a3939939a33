// A class view that comes late or comes back holds every tick of every group's lesson so far:
// 40 groups publish through a real broker on 127.0.0.1 with the example configuration's
// bounds (the groups' own publisher, in this process), and the real class view, started
// mid-lesson, killed and started again while the groups go on, started when every group has
// a whole lesson, or after a group has left thousands of retained messages under its name,
// saves a CSV holding each group's every tick.
#include <signal.h>

#include <QtTest>
#include <atomic>
#include <cmath>
#include <memory>

#include "classlink/broker_link.h"
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
        if (!line.trimmed().isEmpty()) {
            const QByteArray cell = line.trimmed().split(',').value(column);
            values << (cell.isEmpty() ? QString() : QString::number(cell.toDouble()));
        }
    return values;
}

// One group's lesson, as its Kelvira holds it.
struct GroupLesson {
    std::array<float, Vexo::LastTick + 1> hundredths{};
    std::array<int16_t, Vexo::LastTick + 1> raw{};
    int ticks = 0;
    Vexo::LessonRecord record() const { return {hundredths.data(), raw.data(), &ticks}; }
};

// Degrees that take six characters in a part of the lesson, the longest a part gets.
float LongDegrees(int g, int t) {
    return -49.99f + g * 0.5f + (t % 7) * 0.01f;
}

// Degrees as a number to the hundredth, as the class's CSV holds them.
QString Text(float degrees) {
    return QString::number(std::round(degrees * 100) / 100.0);
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

    void checkCsv(const QString& path, float (*degrees)(int, int) = Degrees) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        for (int g = 0; g < Groups; ++g) {
            QStringList expected;
            for (int t = 0; t < recorded_; ++t) expected << Text(degrees(g, t));
            QCOMPARE(Column(csv, Name(g)), expected);
        }
    }

    // Each group joins the class with the lesson it holds.
    void startGroups() {
        for (int g = 0; g < Groups; ++g) {
            groups_.push_back(std::make_unique<Vexo::ClassPublisher>(
                ClassLink::ParseClassAddress(broker_->url("2-1")), Name(g),
                Vexo::ShownScale{-10, 100, false}, lessons_[g]->record()));
            groups_.back()->lessonStarted();
        }
    }

  private slots:
    void init() {
        broker_ = std::make_unique<Broker>(QStringList{"allow_anonymous true"} + ExampleBounds());
        QVERIFY(broker_->start());
        for (int g = 0; g < Groups; ++g) lessons_.push_back(std::make_unique<GroupLesson>());
        startGroups();
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

    // A whole lesson of every group, each part as long as a part gets (degrees written with
    // six characters), fits what the broker keeps and queues for a view that comes late.
    void aWholeClassOfWholeLessonsFits() {
        groups_.clear();
        recorded_ = Vexo::LastTick + 1;
        for (int g = 0; g < Groups; ++g)
            for (int t = 0; t < recorded_; ++t) {
                lessons_[g]->hundredths[t] = std::round(LongDegrees(g, t) * 100);
                lessons_[g]->raw[t] = 63;
                lessons_[g]->ticks = t + 1;
            }
        startGroups();  // each publishes its lesson so far once it is connected
        QTest::qWait(2000);
        QTemporaryDir dir;
        QProcess view;
        QVERIFY(startView(view, dir.filePath("class.csv")));
        QTest::qWait(5000);
        view.terminate();
        QVERIFY(view.waitForFinished(10000));
        checkCsv(dir.filePath("class.csv"), LongDegrees);
    }

    // Retained messages by the thousand under one group's name, where a broker's ACL lets
    // them be (the example's does not), reach no view: a late view is given every group's
    // lesson so far and keeps every tick.
    void retainedMessagesUnderAGroupsNameKeepNothingFromALateView() {
        record(25);
        std::atomic<int> acknowledged{0};
        ClassLink::BrokerConnection::Callbacks callbacks;
        callbacks.acknowledged = [&](int) { ++acknowledged; };
        ClassLink::BrokerLink hostile(ClassLink::ParseClassAddress(broker_->url("2-1")), "hostile",
                                      {}, callbacks);
        hostile.start();
        QVERIFY(BoxRig::waitFor([&] { return hostile.connected(); }, 5000));
        constexpr int Flood = 6000;
        for (int n = 0; n < Flood; ++n)
            hostile.publish("kelvira/2-1/han01/j" + QByteArray::number(n), "{\"c\":20}", 1, true);
        QVERIFY2(BoxRig::waitFor([&] { return acknowledged == Flood; }, 20000),
                 qPrintable(QString::number(acknowledged)));
        QTemporaryDir dir;
        QProcess view;
        QVERIFY(startView(view, dir.filePath("class.csv")));
        QTest::qWait(4000);
        record(5);  // and what comes after
        QTest::qWait(1000);
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
