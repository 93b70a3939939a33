// What a group publishes to its class, on the broker's stand-in: on a start, each tick, a stop,
// a lost line and its return, and the readings.
#include <QtTest>

#include "classlink/fake_broker.h"
#include "classroom/class_publisher.h"
#include "core/lesson.h"
#include "core/vexo.h"

using ClassLink::FakeBroker;

namespace {

const QByteArray Root = "kelvira/2-1/han1/";

// The messages sent to `topic` (under the group's root), in order.
std::vector<FakeBroker::Sent> To(const FakeBroker& broker, const QByteArray& topic) {
    std::vector<FakeBroker::Sent> sent;
    for (const FakeBroker::Sent& s : broker.sent)
        if (s.topic == Root + topic) sent.push_back(s);
    return sent;
}

// What the broker's callbacks hand on reaches the publisher through its event loop.
void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

}  // namespace

class ClassPublisherTest : public QObject {
    Q_OBJECT

    FakeBroker* broker_ = nullptr;
    std::unique_ptr<Vexo::ClassPublisher> publisher_;

    // Tick `i` recorded into the lesson, then told.
    void tick(int i, float degrees) {
        Vexo::TrendBuffer[i] = degrees * 100;
        Vexo::TrendRaw[i] = int16_t(60 + i);
        Vexo::LessonTicks = i + 1;
        publisher_->tickRecorded({i, i / 2.0, degrees, 60 + i});
    }

  private slots:
    void init() {
        Vexo::LessonTicks = 0;
        publisher_ = std::make_unique<Vexo::ClassPublisher>(
            ClassLink::ParseClassAddress("mqtt://h/2-1"), "han1", Vexo::ShownScale{-10, 100, false},
            Vexo::LessonRecord{}, FakeBroker::Maker(&broker_), 0);
        QVERIFY(broker_ && broker_->started);
        QCOMPARE(broker_->will.topic, Root + "status");
        QVERIFY(broker_->clientId.startsWith("kelvira-han1-"));
        broker_->setConnected(true);
        Settle();
    }
    void cleanup() { publisher_.reset(); }

    // A start: the status names the new measurement, and what a run before kept is cleared.
    void aStartPublishesTheStatusAndClearsTheLessonKept() {
        broker_->sent.clear();
        publisher_->lessonStarted();
        const auto status = To(*broker_, "status");
        QCOMPARE(status.size(), size_t(1));
        QVERIFY(status[0].retain && status[0].qos == 1);
        const auto read = ClassLink::ReadMessage("2-1", status[0].topic, status[0].payload);
        QVERIFY(read && read->status.measuring && ClassLink::IsMeasurementId(read->status.id));
        for (int part = 0; part < ClassLink::LessonParts; ++part) {
            const auto cleared = To(*broker_, "lesson/" + QByteArray::number(part));
            QVERIFY(cleared.size() == 1 && cleared[0].retain && cleared[0].payload.isEmpty());
        }
    }

    // Every tick goes out at once; the lesson so far is kept again every ten ticks, and on a
    // stop.
    void ticksGoOutAndTheLessonSoFarIsKept() {
        publisher_->lessonStarted();
        Settle();
        broker_->sent.clear();
        for (int i = 0; i < 12; ++i) tick(i, 20 + i);
        QCOMPARE(To(*broker_, "tick").size(), size_t(12));
        const auto parts = To(*broker_, "lesson/0");
        QCOMPARE(parts.size(), size_t(1));
        auto read = ClassLink::ReadMessage("2-1", parts[0].topic, parts[0].payload);
        QVERIFY(read && read->lesson.degrees.size() == 10 && read->lesson.degrees[9] == 29);
        publisher_->lessonStopped();
        QCOMPARE(To(*broker_, "lesson/0").size(), size_t(2));
        read = ClassLink::ReadMessage("2-1", Root + "lesson/0", To(*broker_, "lesson/0")[1].payload);
        QVERIFY(read && read->lesson.degrees.size() == 12);
        const auto status = To(*broker_, "status");
        QVERIFY(!ClassLink::ReadMessage("2-1", status.back().topic, status.back().payload)
                     ->status.measuring);
    }

    // The line lost: ticks are kept; on its return the status and the lesson so far go out at
    // once, and the ticks the broker never acknowledged after them, in order.
    void aReturningLineGetsWhatItMissed() {
        publisher_->lessonStarted();
        Settle();
        tick(0, 20);
        broker_->acknowledge();
        Settle();
        QCOMPARE(publisher_->acknowledgedTicks(), 1);
        tick(1, 21);  // sent, never acknowledged
        broker_->setConnected(false);
        Settle();
        tick(2, 22);
        broker_->sent.clear();
        broker_->setConnected(true);
        Settle();
        QCOMPARE(To(*broker_, "status").size(), size_t(1));
        QCOMPARE(To(*broker_, "lesson/0").size(), size_t(1));
        QTRY_COMPARE(To(*broker_, "tick").size(), size_t(2));
        QVERIFY(To(*broker_, "tick")[0].payload.contains("\"i\":1,"));
        QVERIFY(To(*broker_, "tick")[1].payload.contains("\"i\":2,"));
        broker_->acknowledge();
        Settle();
        QCOMPARE(publisher_->acknowledgedTicks(), 3);
    }

    // A new range or sensor goes out in the status at once, told by the event; the same
    // scale again, and the readings, send no status.
    void aChangedScaleGoesOutInTheStatus() {
        broker_->sent.clear();
        publisher_->scaleShown({0, 40, true});
        publisher_->scaleShown({0, 40, true});
        publisher_->readingTaken({63, 23});
        const auto status = To(*broker_, "status");
        QCOMPARE(status.size(), size_t(1));
        const auto read = ClassLink::ReadMessage("2-1", status[0].topic, status[0].payload);
        QVERIFY(read);
        QCOMPARE(read->status.sensor, QStringLiteral("air"));
        QCOMPARE(read->status.min, 0.0);
        QCOMPARE(read->status.max, 40.0);
    }

    // The readings of the poll, about once a second.
    void readingsGoOutOnceASecond() {
        publisher_->readingTaken({63, 23});
        publisher_->readingTaken({64, 24});
        const auto readings = To(*broker_, "reading");
        QCOMPARE(readings.size(), size_t(1));
        QVERIFY(readings[0].qos == 0 && !readings[0].retain);
        QCOMPARE(readings[0].payload, QByteArray("{\"c\":23,\"raw\":63}"));
    }
};

QTEST_GUILESS_MAIN(ClassPublisherTest)
#include "class_publisher_test.moc"
