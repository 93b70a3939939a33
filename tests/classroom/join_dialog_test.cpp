// Joining from the graph's menu: the dialog offers what a browse finds, and the class picked,
// or the PC typed when none is found, is joined with the code typed; on a real broker on
// 127.0.0.1 with the gate of a class the class view opens. The browse is a stand-in: no test
// sends multicast.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "classroom/class_publisher.h"
#include "classroom/join_dialog.h"
#include "support/broker.h"
#include "support/headless.h"

namespace {

// Reports what the test tells it to, as the system's browse would.
struct StandInBrowser : ClassFind::ClassBrowser {
    Callbacks told;
    void browse(const Callbacks& callbacks) override { told = callbacks; }
};

ClassFind::ResolvedService Service(const QString& className, const QString& host, int port) {
    return {className + " @ pc", "2/0", host, port, ClassFind::TxtRecord(className)};
}

}  // namespace

class JoinDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void theClassChosenIsJoinedWithTheCode_data() {
        QTest::addColumn<bool>("found");  // the class is found, else its PC is typed
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::newRow("found and picked") << true << "ABCDEF"
                                          << "（クラスに接続）";
        QTest::newRow("none found, the PC typed") << false << "ABCDEF"
                                                  << "（クラスに接続）";
        QTest::newRow("found, a wrong code")
            << true << "ABCDEG"
            << "（クラス：参加コードが違うか、同じ名前のグループがもう入っています）";
    }
    void theClassChosenIsJoinedWithTheCode() {
        QFETCH(bool, found);
        QFETCH(QString, code);
        QFETCH(QString, title);
        Broker broker;
        broker.configure(GateLines(broker));
        QVERIFY(broker.start());
        Headless h;
        struct Left {
            ~Left() { Vexo::LeaveClass(); }
        } left;
        auto browser = std::make_unique<StandInBrowser>();
        StandInBrowser* browse = browser.get();
        QPointer<Vexo::JoinDialog> dialog =
            Vexo::OfferClasses(h.window.get(), std::move(browser), "han1");
        QPushButton* ok = dialog->buttons->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());  // nothing found, nothing typed
        if (found) {
            // Another class first, on a PC where nothing listens: the one meant is picked.
            browse->told.found(Service("1-1", "127.0.0.1", FreePort()));
            browse->told.found(Service("2-1", "127.0.0.1", broker.port()));
            QCOMPARE(dialog->found->count(), 2);
            QCOMPARE(dialog->found->currentRow(), 0);  // the first is picked by itself
            dialog->found->setCurrentRow(1);
            QVERIFY(dialog->found->item(1)->text().startsWith("2-1"));
        } else {
            QTest::keyClicks(dialog->pc, "127.0.0.1:" + QString::number(broker.port()));
            QTest::keyClicks(dialog->className, "2-1");
        }
        QTest::keyClicks(dialog->joinCode, code);
        QVERIFY(ok->isEnabled());
        QVERIFY(!Vexo::InClass());
        ok->click();
        QVERIFY(Vexo::InClass());
        QVERIFY2(QTest::qWaitFor([&] { return h.window->windowTitle().contains(title); }, 8000),
                 qPrintable(h.window->windowTitle() + " | " + broker.log()));
        QTRY_VERIFY(dialog.isNull());  // closed, and gone with its browse
    }

    // A class lost while the dialog is open is no longer offered, nor joined.
    void aClassLostIsNotOffered() {
        Headless h;
        auto browser = std::make_unique<StandInBrowser>();
        StandInBrowser* browse = browser.get();
        QPointer<Vexo::JoinDialog> dialog =
            Vexo::OfferClasses(h.window.get(), std::move(browser), "han1");
        browse->told.found(Service("2-1", "teacher-pc.local", 1884));
        QCOMPARE(dialog->address(), "mqtt://teacher-pc.local:1884/2-1");
        browse->told.lost("2-1 @ pc", "2/0");
        QCOMPARE(dialog->found->count(), 0);
        QCOMPARE(dialog->address(), "");
        QVERIFY(!dialog->buttons->button(QDialogButtonBox::Ok)->isEnabled());
        dialog->reject();
    }
};

QTEST_MAIN(JoinDialogTest)
#include "join_dialog_test.moc"
