// Who the broker of an opened class lets in, and where each may write and read: the gate's
// decisions, row by row.
#include <QtTest>

#include "class_gate.h"

using ClassGate::Entry;

Q_DECLARE_METATYPE(Entry)

namespace {

const ClassGate::Gate Gate{"2-1", "K7PX4R", "teacher-secret"};

}  // namespace

class ClassGateTest : public QObject {
    Q_OBJECT

  private slots:
    void signIn_data() {
        QTest::addColumn<QByteArray>("user");  // "-": none
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<bool>("nameInUse");
        QTest::addColumn<Entry>("entry");
        QTest::newRow("a group with the code")
            << QByteArray("han1") << QByteArray("K7PX4R") << false << Entry::Group;
        QTest::newRow("typed small, with a space")
            << QByteArray("han1") << QByteArray("k7p x4r") << false << Entry::Group;
        QTest::newRow("typed full-width, with a hyphen")
            << QByteArray("3班") << QByteArray("Ｋ７Ｐ－Ｘ４Ｒ") << false << Entry::Group;
        QTest::newRow("a wrong code")
            << QByteArray("han1") << QByteArray("K7PX4S") << false << Entry::WrongCode;
        QTest::newRow("the code cut short")
            << QByteArray("han1") << QByteArray("K7PX4") << false << Entry::WrongCode;
        QTest::newRow("no password")
            << QByteArray("han1") << QByteArray() << false << Entry::WrongCode;
        QTest::newRow("a name signed in already")
            << QByteArray("han1") << QByteArray("K7PX4R") << true << Entry::NameInUse;
        QTest::newRow("a wrong code to a name in use")
            << QByteArray("han1") << QByteArray("X") << true << Entry::WrongCode;
        QTest::newRow("no user") << QByteArray("-") << QByteArray("K7PX4R") << false
                                 << Entry::NoName;
        QTest::newRow("a name with a /")
            << QByteArray("han/1") << QByteArray("K7PX4R") << false << Entry::NoName;
        QTest::newRow("a name with a #")
            << QByteArray("#") << QByteArray("K7PX4R") << false << Entry::NoName;
        QTest::newRow("a name with a line break")
            << QByteArray("han\n1") << QByteArray("K7PX4R") << false << Entry::NoName;
        QTest::newRow("the teacher") << QByteArray("kelvira-teacher")
                                     << QByteArray("teacher-secret") << false << Entry::Teacher;
        QTest::newRow("the teacher's name with the code")
            << QByteArray("kelvira-teacher") << QByteArray("K7PX4R") << false << Entry::Refused;
    }
    void signIn() {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, password);
        QFETCH(bool, nameInUse);
        QFETCH(Entry, entry);
        QCOMPARE(ClassGate::SignIn(Gate, user == "-" ? nullptr : user.constData(),
                                   password.isNull() ? nullptr : password.constData(), nameInUse),
                 entry);
    }

    void access_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("topic");
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("read");
        QTest::newRow("its own tick") << "han1"
                                      << "kelvira/2-1/han1/tick" << true << false;
        QTest::newRow("its own status") << "han1"
                                        << "kelvira/2-1/han1/status" << true << false;
        QTest::newRow("its lesson's last part") << "han1"
                                                << "kelvira/2-1/han1/lesson/10" << true << false;
        QTest::newRow("a part beyond the lesson") << "han1"
                                                  << "kelvira/2-1/han1/lesson/11" << false << false;
        QTest::newRow("deeper") << "han1"
                                << "kelvira/2-1/han1/tick/x" << false << false;
        QTest::newRow("as another group") << "han1"
                                          << "kelvira/2-1/han2/tick" << false << false;
        QTest::newRow("a name that begins as its own") << "han"
                                                       << "kelvira/2-1/han1/tick" << false << false;
        QTest::newRow("in another class") << "han1"
                                          << "kelvira/2-2/han1/tick" << false << false;
        QTest::newRow("the class's topics") << "han1"
                                            << "kelvira/2-1/+/tick" << false << false;
        QTest::newRow("the teacher reads the class") << "kelvira-teacher"
                                                     << "kelvira/2-1/+/tick" << false << true;
        QTest::newRow("the teacher, another class") << "kelvira-teacher"
                                                    << "kelvira/2-2/+/tick" << false << false;
        QTest::newRow("the teacher, everything") << "kelvira-teacher"
                                                 << "#" << false << false;
        QTest::newRow("the teacher writes as a group")
            << "kelvira-teacher"
            << "kelvira/2-1/kelvira-teacher/tick" << false << true;
    }
    void access() {
        QFETCH(QString, user);
        QFETCH(QString, topic);
        QFETCH(bool, write);
        QFETCH(bool, read);
        QCOMPARE(ClassGate::MayWrite(Gate, user.toStdString(), topic.toStdString()), write);
        QCOMPARE(ClassGate::MayRead(Gate, user.toStdString(), topic.toStdString()), read);
    }

    // What the class view reads of a refusal: never a name that could break its log's line.
    void refusalLines() {
        QCOMPARE(QString::fromStdString(ClassGate::RefusalLine(Entry::WrongCode, "3班")),
                 QString("kelvira-gate: refused 3班: wrong code"));
        QCOMPARE(QString::fromStdString(ClassGate::RefusalLine(
                     Entry::NoName, "x\nkelvira-gate: refused han1: name in use")),
                 QString("kelvira-gate: refused : no name"));
    }
};

QTEST_GUILESS_MAIN(ClassGateTest)
#include "class_gate_test.moc"
