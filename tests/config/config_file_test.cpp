// Finding and opening the configuration files of the working folder.
#include <sys/stat.h>
#include <unistd.h>
#include <QtTest>

#include "config/config_file.h"
#include "config/file_errors.h"

namespace {

void Write(const QString& name, const QByteArray& content) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

class ConfigFileTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString home_;
  private slots:
    void init() {
        home_ = QDir::currentPath();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path()));
    }
    void cleanup() {
        QDir::setCurrent(home_);
        dir_.reset();
    }

    void findsNamesWhateverTheirCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("found");
        QTest::newRow("none") << "VEXO.TXT" << QStringList{"OTHER.TXT"} << "";
        QTest::newRow("exact") << "VEXO.TXT" << QStringList{"VEXO.TXT"} << "VEXO.TXT";
        QTest::newRow("small letters") << "VEXO.TXT" << QStringList{"vexo.txt"} << "vexo.txt";
        QTest::newRow("mixed") << "VEXO.TXT" << QStringList{"Vexo.Txt"} << "Vexo.Txt";
        QTest::newRow("exact wins")
            << "VEXO.TXT" << QStringList{"Vexo.txt", "VEXO.TXT", "vexo.txt"} << "VEXO.TXT";
        QTest::newRow("first in byte order")
            << "VEXO.TXT" << QStringList{"vexo.txt", "vExo.txt", "Vexo.txt"} << "Vexo.txt";
        QTest::newRow("longer name is no match") << "VEXO.TXT" << QStringList{"VEXO.TXT.BAK"} << "";
        // U+212A KELVIN SIGN folds to k under Unicode rules; only ASCII letters count here.
        QTest::newRow("no Unicode folding") << "KION.CSV" << QStringList{"\u212AION.CSV"} << "";
    }
    void findsNamesWhateverTheirCase() {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(QString, found);
        for (const QString& entry : entries) Write(entry, "x");
        QCOMPARE(Vexo::FindConfigFile(name), found);
    }

    void readsTheWholeFile() {
        QByteArray content(10 * 1024 * 1024, 'a');
        Write("kion.csv", content);
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("KION.CSV");
        QCOMPARE(file.error, int16_t(0));
        QVERIFY(file.content.has_value());
        QCOMPARE(*file.content, content);
    }

    void emptyFileIsOpened() {
        Write("VEXO.TXT", {});
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("VEXO.TXT");
        QVERIFY(file.content.has_value());
        QVERIFY(file.content->isEmpty());
    }

    void missingFileIsNotOpened() {
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("VEXO.TXT");
        QVERIFY(!file.content.has_value());
        QCOMPARE(file.error, Vexo::FileErrors::FileNotFound);
    }

    void directoryIsNotOpened() {
        QVERIFY(QDir().mkdir("Vexo.txt"));
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("VEXO.TXT");
        QVERIFY(!file.content.has_value());
        QCOMPARE(file.error, Vexo::FileErrors::PathAccess);
    }

    void pipeIsNotOpened() {
        // Opening a pipe for reading would wait for a writer for ever.
        QCOMPARE(mkfifo("VEXO.TXT", 0600), 0);
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("VEXO.TXT");
        QVERIFY(!file.content.has_value());
        QCOMPARE(file.error, Vexo::FileErrors::PathAccess);
    }

    void linkToAFileIsOpened() {
        Write("real.txt", "Max=50\r\n");
        QVERIFY(QFile::link("real.txt", "vexo.txt"));
        QCOMPARE(*Vexo::OpenConfigFile("VEXO.TXT").content, QByteArray("Max=50\r\n"));
    }

    void unreadableFileIsNotOpened() {
        if (geteuid() == 0) QSKIP("root reads files of any mode");
        Write("VEXO.TXT", "Max=50\r\n");
        QVERIFY(QFile::setPermissions("VEXO.TXT", QFileDevice::WriteOwner));
        const Vexo::ConfigFile file = Vexo::OpenConfigFile("VEXO.TXT");
        QVERIFY(!file.content.has_value());
        QCOMPARE(file.error, Vexo::FileErrors::PathAccess);
    }
};

QTEST_GUILESS_MAIN(ConfigFileTest)
#include "config_file_test.moc"
