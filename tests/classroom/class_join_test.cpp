// A group that cannot join its class is told why where the teacher looks: the window's title
// and the start-up log; on a real broker on 127.0.0.1.
#include <QtTest>

#include "classroom/class_publisher.h"
#include "core/window_title.h"
#include "support/broker.h"
#include "support/headless.h"

namespace {

QStringList Printed(const std::vector<SurfaceOp>& ops) {
    QStringList lines;
    for (const SurfaceOp& op : ops)
        if (op.kind == SurfaceOp::Print) lines << op.text;
    return lines;
}

}  // namespace

class ClassJoinTest : public QObject {
    Q_OBJECT
  private slots:
    void theReasonStandsInTheTitleAndTheLog_data() {
        QTest::addColumn<QString>("password");  // empty: the address is not one
        QTest::addColumn<QString>("reason");
        QTest::newRow("a wrong password") << "wrong" << "ユーザー名かパスワードが違います";
        QTest::newRow("a malformed address") << "" << "アドレスが正しくありません";
    }
    void theReasonStandsInTheTitleAndTheLog() {
        QFETCH(QString, password);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        Broker broker;
        QProcess make;
        make.start("mosquitto_passwd", {"-c", "-b", dir.filePath("pw"), "han1", "right"});
        QVERIFY(make.waitForFinished(5000) && make.exitCode() == 0);
        broker.configure({"allow_anonymous false", "password_file " + broker.share(dir.filePath("pw"))});
        QVERIFY(broker.start());
        Headless h;
        std::vector<SurfaceOp> ops;
        h.window->Picture2Surface.log = &ops;
        const QString url = password.isEmpty()
                                ? QString("mqtt://han1:secret@/2-1")
                                : "mqtt://han1:" + password + "@127.0.0.1:" +
                                      QString::number(broker.port()) + "/2-1";
        Vexo::JoinClass(url, "han1");
        const QString mark = "（クラス：" + reason + "）";
        QVERIFY2(QTest::qWaitFor([&] { return h.window->windowTitle().contains(mark); }, 5000),
                 qPrintable(h.window->windowTitle()));
        QVERIFY(Printed(ops).contains("クラス：" + reason));
        QVERIFY(!Printed(ops).join(' ').contains("secret"));
        Vexo::LeaveClass();
        QVERIFY(!h.window->windowTitle().contains(mark));
    }
};

QTEST_MAIN(ClassJoinTest)
#include "class_join_test.moc"
