// The Debian package as a user gets it (KELVIRA_DEB): unpacked into a fresh folder, each file
// where the desktop looks for it, the package and its metadata valid, and the unpacked
// program showing its window against the simulated box of its demonstration.
#include <signal.h>

#include <QImage>
#include <QtTest>

#include "app/install_layout.h"
#include "support/box_rig.h"

namespace {

// Runs a command to its end; its exit code, or -1 when it could not run. Output goes to `out`.
int Run(const QStringList& command, QString* out = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return -1;
    if (out) *out = QString::fromLocal8Bit(process.readAll());
    return process.exitCode();
}

QString ProcFile(const QString& name) {
    QFile file("/proc/" + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

}  // namespace

class PackageTest : public QObject {
    Q_OBJECT
    const QString deb_ = qEnvironmentVariable("KELVIRA_DEB");
    QTemporaryDir root_;
    QString path(const QString& file) const { return root_.filePath(file); }

  private slots:
    void initTestCase() {
        QCOMPARE(Run({"dpkg-deb", "-x", deb_, root_.path()}), 0);
        QString fields, version;
        QCOMPARE(Run({"dpkg-deb", "-f", deb_, "Version", "Depends", "Recommends"}, &fields), 0);
        QVERIFY2(fields.contains("Version: " KELVIRA_VERSION "\n"), qPrintable(fields));
        for (const char* needed : {"fonts-ipafont-gothic", "libqt6widgets6", "libqt6serialport6",
                                   "libmosquitto1", ", mosquitto", "libqt6network6", "libqrencode4",
                                   "libavahi-client3", "Recommends: avahi-daemon"})
            QVERIFY2(fields.contains(needed), qPrintable(fields));
        QCOMPARE(Run({path("usr/bin/kelvira"), "--version"}, &version), 0);
        QCOMPARE(version, QString("kelvira " KELVIRA_VERSION "\n"));
    }

    void filesWhereTheDesktopLooks_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("iconSize");  // a PNG icon of this size; 0 for other files
        for (const char* file :
             {"usr/bin/kelvira", "usr/bin/kelvira-class", "usr/bin/zanpo-sim",
              "usr/share/applications/kelvira.desktop",
              "usr/share/applications/kelvira-class.desktop",
              "usr/share/doc/kelvira/examples/mosquitto/kelvira.acl",
              "usr/share/icons/hicolor/scalable/apps/kelvira.svg",
              "usr/share/man/man1/kelvira.1.gz", "usr/share/man/man1/kelvira-class.1.gz",
              "usr/share/man/man1/zanpo-sim.1.gz", "usr/share/doc/kelvira/copyright",
              "usr/share/doc/kelvira/changelog.gz", "usr/share/doc/kelvira/examples/VEXO.TXT",
              "usr/share/kelvira/VEXO.TXT", "usr/share/kelvira/EKION.CSV",
              "usr/share/kelvira/KION.CSV", "usr/lib/kelvira/kelvira_class_gate.so"})
            QTest::newRow(file) << file << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size)))
                << QString("usr/share/icons/hicolor/%1x%1/apps/kelvira.png").arg(size) << size;
    }
    void filesWhereTheDesktopLooks() {
        QFETCH(QString, file);
        QFETCH(int, iconSize);
        const QFileInfo info(path(file));
        QVERIFY(info.isFile());
        QCOMPARE(info.isExecutable(), file.startsWith("usr/bin/"));
        if (iconSize != 0) QCOMPARE(QImage(info.filePath()).size(), QSize(iconSize, iconSize));
    }

    void validates_data() {
        QTest::addColumn<QStringList>("command");
        const QFileInfoList metainfo =
            QDir(path("usr/share/metainfo")).entryInfoList({"*.metainfo.xml"});
        QTest::newRow("lintian") << QStringList{"lintian", "--fail-on", "error", deb_};
        QTest::newRow("menu entry")
            << QStringList{"desktop-file-validate", path("usr/share/applications/kelvira.desktop")};
        QTest::newRow("class view's menu entry") << QStringList{
            "desktop-file-validate", path("usr/share/applications/kelvira-class.desktop")};
        QTest::newRow("metainfo") << QStringList{"appstreamcli", "validate", "--no-net",
                                                 metainfo.value(0).filePath()};
    }
    void validates() {
        QFETCH(QStringList, command);
        QString said;
        QVERIFY2(Run(command, &said) == 0, qPrintable(said));
    }

    // The demonstration from the unpacked files: the box next to the program answers, the
    // example tables are read, the title says so; the box ends with the program, also when
    // the program is killed.
    void demonstrationRunsAndEndsWithTheProgram_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("ended") << SIGTERM;
        QTest::newRow("killed") << SIGKILL;
    }
    void demonstrationRunsAndEndsWithTheProgram() {
        QFETCH(int, signal);
        QTemporaryDir work;
        QProcess program;
        TraceReader trace;
        trace.attach(program);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KELVIRA_TRACE", "1");
        env.insert("XDG_RUNTIME_DIR", work.path());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(work.path());
        program.start(path("usr/bin/kelvira"), {"--demo"});
        QVERIFY(BoxRig::waitFor([&] { return trace.printed(Announced); }, 15000));
        QVERIFY(trace.seen("Window"));
        QVERIFY(trace.printed(QStringLiteral("気温データ(KION.CSV)読み込み。")));
        QCOMPARE(trace.last("Title"), QStringLiteral("けるびら（デモ）"));
        QCOMPARE(trace.last("Label2"), QStringLiteral("えきおんセンサー"));  // a cup of water
        const QString box = ProcFile(QString("%1/task/%1/children").arg(program.processId()));
        QCOMPARE(box.split(' ', Qt::SkipEmptyParts).size(), 1);

        const qint64 pid = program.processId();
        QCOMPARE(::kill(static_cast<pid_t>(pid), signal), 0);
        QVERIFY(program.waitForFinished(5000));
        BoxRig::removeLocksOf(pid);
        QCOMPARE(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 signal == SIGTERM);
        // Gone, or a zombie waiting to be collected by whoever inherited it.
        QVERIFY(BoxRig::waitFor(
            [&] {
                return !ProcFile(box.trimmed() + "/stat")
                            .contains(QRegularExpression(R"(\) [RSD])"));
            },
            5000));
    }
};

QTEST_GUILESS_MAIN(PackageTest)
#include "package_test.moc"
