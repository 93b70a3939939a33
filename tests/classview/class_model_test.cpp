// The class view's picture of the class, whatever the groups send: the measurement their own
// status names, a bounded class, readable and distinct names, and a CSV no spreadsheet runs.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "classlink/class_messages.h"
#include "classview/class_graph.h"
#include "classview/class_model.h"
#include "classview/group_names.h"

using ClassView::ClassModel;
using Taken = ClassModel::Taken;

namespace {

const QString Real = "2026-12-08T10:42:05";

ClassLink::Message Status(const QString& group, const QString& id) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Status;
    m.group = group;
    m.status = {group, true, true, "air", -10, 100, id, "1.0.0"};
    return m;
}

ClassLink::Message Tick(const QString& group, const QString& id, int index, double degrees) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Tick;
    m.group = group;
    m.tick = {id, index, index / 2.0, degrees, 63};
    return m;
}

ClassLink::Message Reading(const QString& group, double degrees) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Reading;
    m.group = group;
    m.reading = {degrees, 63};
    return m;
}

// Part `part` of `lesson`, as its group keeps it on the broker.
ClassLink::Message Part(const QString& group, const QString& id, int part,
                        const std::vector<float>& lesson) {
    ClassLink::Message m;
    m.kind = ClassLink::Kind::Lesson;
    m.group = group;
    m.lesson.id = id;
    m.lesson.from = part * ClassLink::LessonPartTicks;
    for (size_t t = m.lesson.from; t < lesson.size() && t < size_t(m.lesson.from + 1000); ++t)
        m.lesson.degrees.push_back(lesson[t]);
    return m;
}

// A moment `ms` milliseconds into the lesson.
ClassModel::Clock::time_point At(int ms) {
    return ClassModel::Clock::time_point(std::chrono::milliseconds(ms));
}

// The n-th message of a group that sends 40 a second.
using Flood = std::function<ClassLink::Message(int n)>;

}  // namespace

class ClassModelTest : public QObject {
    Q_OBJECT
  private slots:
    // A tick of a measurement the group's status does not name cannot replace its series.
    void theGroupsOwnStatusNamesTheMeasurementShown() {
        ClassModel model;
        QCOMPARE(model.take(Status("g", Real)), Taken::Shown);
        for (int t = 0; t < 5; ++t) QCOMPARE(model.take(Tick("g", Real, t, 20 + t)), Taken::Shown);
        QCOMPARE(model.take(Tick("g", "9999-12-31T23:59:59", 0, 99)), Taken::Dropped);
        QCOMPARE(model.take(Tick("g", Real, 5, 25)), Taken::Shown);
        const ClassView::Group& g = model.groups().front();
        QCOMPARE(g.degrees.count(), 6);
        QCOMPARE(g.degrees.at(0), 20.0f);
        // The group starts a new measurement: its status says so, and that one is shown.
        const QString next = "2026-12-08T11:00:00";
        QCOMPARE(model.take(Status("g", next)), Taken::Shown);
        QCOMPARE(model.take(Tick("g", next, 0, 30)), Taken::Shown);
        QCOMPARE(model.take(Tick("g", Real, 6, 26)), Taken::Dropped);
        QCOMPARE(model.groups().front().degrees.count(), 1);
    }

    // 10 000 groups of one late tick each: the class keeps MaxGroups, each in one block.
    void theClassIsBoundedWhateverTheGroupsSend() {
        ClassModel model;
        int dropped = 0;
        for (int n = 0; n < 10000; ++n)
            if (model.take(Tick(QString("g%1").arg(n), Real, 10000, 20)) == Taken::Dropped)
                ++dropped;
        QCOMPARE(int(model.groups().size()), ClassView::MaxGroups);
        QCOMPARE(dropped, 10000 - ClassView::MaxGroups);
        for (const ClassView::Group& g : model.groups()) {
            QCOMPARE(g.degrees.count(), 1);
            QVERIFY(g.degrees.room() <= ClassView::TickSeries::BlockTicks);
        }
        QVERIFY(!model.addLesson("file", {20, 21}));
    }

    void namesAreReadableAndDistinct_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("plain") << QStringList{"han1", "1班"} << QStringList{"han1", "1班"};
        QTest::newRow("a zero-width space")
            << QStringList{"ok", "ok\u200B"} << QStringList{"ok", "ok⟨200B⟩"};
        QTest::newRow("a right-to-left override")
            << QStringList{"\u202Ekoob"} << QStringList{"⟨202E⟩koob"};
        QTest::newRow("a space at the end") << QStringList{"ok", "ok "} << QStringList{"ok", "ok␣"};
        QTest::newRow("Cyrillic look-alikes")
            << QStringList{"ok", "\u043Ek"} << QStringList{"ok #1", "\u043Ek #2"};
        QTest::newRow("full width") << QStringList{"ok", "ｏｋ"} << QStringList{"ok #1", "ｏｋ #2"};
    }
    void namesAreReadableAndDistinct() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, shown);
        QCOMPARE(ClassView::ShownNames(names), shown);
    }

    // A group's lesson file as Kelvira records it, brought on a USB stick.
    void lessonFilesAreRead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QList<float>>("degrees");  // NaN: no tick
        const QByteArray header = "\xEF\xBB\xBF経過時間(秒),温度(℃),生データ\r\n";
        const float none = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("whole") << header + "0.0,23.0,63\r\n0.5,23.5,\r\n"
                               << true << QList<float>{23, 23.5f};
        QTest::newRow("a tick missing") << header + "0.0,20.0,1\r\n1.0,21.0,2\r\n"
                                        << true << QList<float>{20, none, 21};
        QTest::newRow("a reading no sensor gives") << header + "0.0,999.0,1\r\n0.5,20.0,1\r\n"
                                                   << true << QList<float>{none, 20};
        QTest::newRow("another header")
            << QByteArray("time,value\r\n0.0,1\r\n") << false << QList<float>{};
        QTest::newRow("seconds not a tick's") << header + "0.3,20.0,1\r\n"
                                              << false << QList<float>{};
        QTest::newRow("past the lesson's end") << header + "5000.5,20.0,1\r\n"
                                               << false << QList<float>{};
    }
    void lessonFilesAreRead() {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(QList<float>, degrees);
        bool read = false;
        const std::vector<float> ticks = ClassView::ReadLessonFile(file, &read);
        QCOMPARE(read, ok);
        QCOMPARE(int(ticks.size()), int(degrees.size()));
        for (qsizetype t = 0; t < degrees.size(); ++t)
            QVERIFY(std::isnan(degrees[t]) ? std::isnan(ticks[t]) : ticks[t] == degrees[t]);
    }

    void theCsvRunsNoFormula() {
        ClassModel model;
        model.take(Tick("=HYPERLINK(\"http://x\")", Real, 0, 20));
        model.take(Tick("@SUM(A1)", Real, 0, 21));
        model.take(Tick("-2+3", Real, 0, 22));
        const QByteArray header = model.csv().split('\n').first().trimmed();
        QCOMPARE(header,
                 QByteArray(
                     "\xEF\xBB\xBF経過時間(秒),'-2+3,\"'=HYPERLINK(\"\"http://x\"\")\",'@SUM(A1)"));
    }

    // A group that sends 40 messages a second, for a minute, beside three that behave: its
    // messages beyond its box's pace are dropped and counted; the others lose nothing, also
    // when their line returns (status, every part, every tick at once) and in a view that
    // comes late (every group's status and parts at once).
    void aGroupFasterThanItsBoxIsSlowed_data() {
        QTest::addColumn<Flood>("flood");
        QTest::newRow("readings") << Flood([](int n) { return Reading("x", 20 + n % 50); });
        QTest::newRow("the same status") << Flood([](int) { return Status("x", Real); });
        QTest::newRow("ticks ahead of the box")
            << Flood([](int n) { return Tick("x", Real, n, 20); });
        QTest::newRow("one tick changed again and again")
            << Flood([](int n) { return Tick("x", Real, 0, 20 + n % 2); });
        QTest::newRow("a part of its lesson changed")
            << Flood([](int n) { return Part("x", Real, 0, {float(20 + n % 2)}); });
    }
    void aGroupFasterThanItsBoxIsSlowed() {
        QFETCH(Flood, flood);
        constexpr int Seconds = 60, LateAt = 45000;
        const QStringList good = {"han1", "han2", "han3"};
        std::map<QString, std::vector<float>> lessons;  // as each group's Kelvira holds it
        ClassModel early, late;
        int ms = 0;
        const auto send = [&](const ClassLink::Message& m) {
            if (ms >= LateAt) late.take(m, At(ms));
            return early.take(m, At(ms));
        };
        const auto sendParts = [&](const QString& g) {
            for (size_t p = 0; p * 1000 < lessons[g].size(); ++p)
                send(Part(g, Real, int(p), lessons[g]));
        };
        int sent = 0, changes = 0;  // of the flood: messages, and those that changed the class
        for (; ms <= Seconds * 1000; ms += 25) {
            if (ms == LateAt)  // what the broker keeps, at once
                for (const QString& g : good) {
                    late.take(Status(g, Real), At(ms));
                    for (size_t p = 0; p * 1000 < lessons[g].size(); ++p)
                        late.take(Part(g, Real, int(p), lessons[g]), At(ms));
                }
            const ClassLink::Message m = flood(sent++);
            if (send(m) == Taken::Shown &&
                (early.lastTicksSet().to > early.lastTicksSet().from ||
                 m.kind == ClassLink::Kind::Status || m.kind == ClassLink::Kind::Reading))
                ++changes;
            // The groups' line is away from 20 s to 30 s; when it returns each sends its
            // status and every part, and 3 s later every tick again.
            const bool away = ms >= 20000 && ms < 30000, resending = ms >= 33000;
            for (const QString& g : good) {
                std::vector<float>& lesson = lessons[g];
                if (ms == 0 || ms == 30000) send(Status(g, Real));
                if (ms == 30000) sendParts(g);
                if (ms == 33000)
                    for (size_t t = 0; t < lesson.size(); ++t)
                        send(Tick(g, Real, int(t), lesson[t]));
                if (ms % 500 == 0) {
                    lesson.push_back(20 + g.back().digitValue() + lesson.size() % 7 * 0.5f);
                    if (!away && (ms < 30000 || resending))
                        send(Tick(g, Real, int(lesson.size() - 1), lesson.back()));
                    if (!away && lesson.size() % 10 == 0)
                        send(Part(g, Real, int(lesson.size() - 1) / 1000, lesson));
                }
                if (ms % 1000 == 0 && !away) send(Reading(g, lesson.back()));
            }
        }
        for (const ClassModel* model : {&early, &late})
            for (const ClassView::Group& g : model->groups()) {
                if (g.name == "x") continue;
                QCOMPARE(g.tooFast, 0);
                const std::vector<float>& lesson = lessons[g.name];
                QCOMPARE(g.degrees.count(), int(lesson.size()));
                for (size_t t = 0; t < lesson.size(); ++t)
                    QCOMPARE(g.degrees.at(int(t)), lesson[t]);
            }
        QCOMPARE(int(late.groups().size()), 4);
        const ClassView::Group& x = early.groups().back();
        QCOMPARE(x.name, QString("x"));
        qInfo("%d of %d dropped, %d taken", x.tooFast, sent, changes);
        QVERIFY(x.tooFast > 0);
        QVERIFY2(changes <= 6 * Seconds + 60, qPrintable(QString::number(changes)));
        QCOMPARE(early.tooFast(), x.tooFast);
    }

    // No name is taken for a formula, whatever the width of its first sign.
    void aNameStartsNoFormula_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("=") << "=1+1" << QByteArray("'=1+1");
        QTest::newRow("full-width =") << "＝1+1" << QByteArray("'＝1+1");
        QTest::newRow("full-width +") << "＋1" << QByteArray("'＋1");
        QTest::newRow("full-width -") << "－1" << QByteArray("'－1");
        QTest::newRow("full-width @") << "＠SUM(A1)" << QByteArray("'＠SUM(A1)");
        QTest::newRow("= inside") << "1班=2" << QByteArray("1班=2");
    }
    void aNameStartsNoFormula() {
        QFETCH(QString, name);
        QFETCH(QByteArray, cell);
        ClassModel model;
        model.take(Tick(name, Real, 0, 20));
        QCOMPARE(model.csv().split('\n').first().trimmed(), "\xEF\xBB\xBF経過時間(秒)," + cell);
    }

    // The grid stays a dozen lines whatever the range, and a long name leaves the graph its
    // width.
    void theGraphStaysReadable() {
        QVERIFY(ClassView::GridDegrees(-100000, 100000).size() <= 13);
        QCOMPARE(ClassView::GridDegrees(-10, 40), (std::vector<double>{-10, 0, 10, 20, 30, 40}));
        ClassModel model;
        const QString wide = QString(64, QChar(0x3042));  // 64 of "あ"
        for (int t = 0; t < 300; ++t) model.take(Tick(wide, Real, t, 20), At(t * 500));
        QImage picture(800, 400, QImage::Format_RGB32);
        QPainter painter(&picture);
        ClassView::DrawClassGraph(painter, picture.rect(), model, 0, 1.0);
        painter.end();
        const QRgb trace = ClassView::TraceColour(0).rgb();
        int columns = 0;
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y)
                if (picture.pixel(x, y) == trace) {
                    ++columns;
                    break;
                }
        QVERIFY2(columns > 400, qPrintable(QString::number(columns)));
    }
};

QTEST_MAIN(ClassModelTest)
#include "class_model_test.moc"
