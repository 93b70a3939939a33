// Where the configuration files are looked for: the folders from the environment, and each
// file found on its own along them.
#include <QtTest>

#include "config/config_folders.h"

#include "config/config_file.h"

using Vexo::FolderSources;
Q_DECLARE_METATYPE(FolderSources)

class ConfigFoldersTest : public QObject {
    Q_OBJECT
  private slots:
    void foldersInOrder_data() {
        QTest::addColumn<FolderSources>("from");
        QTest::addColumn<QStringList>("folders");
        QTest::newRow("defaults") << FolderSources{"", "", "", "/home/t", ""}
                                  << QStringList{".", "/home/t/.config/kelvira",
                                                 "/etc/xdg/kelvira"};
        QTest::newRow("all given")
            << FolderSources{"class", "/x", "/a:/b", "/home/t", "/usr/share/kelvira"}
            << QStringList{".",          "class",      "/x/kelvira",
                           "/a/kelvira", "/b/kelvira", "/usr/share/kelvira"};
        QTest::newRow("relative XDG paths ignored")
            << FolderSources{"", "rel", "rel:/b:", "/home/t", ""}
            << QStringList{".", "/home/t/.config/kelvira", "/b/kelvira"};
    }
    void foldersInOrder() {
        QFETCH(FolderSources, from);
        QFETCH(QStringList, folders);
        QCOMPARE(Vexo::ConfigFolders(from), folders);
    }

    // Files laid out as "folder/NAME" under a fresh root: work is the working folder, given
    // is --config-dir, home is $XDG_CONFIG_HOME, sys1 and sys2 are $XDG_CONFIG_DIRS. Each
    // file holds the name of its folder; `found` is, for VEXO.TXT, EKION.CSV and KION.CSV,
    // the folder each is read from ("" when none).
    // On Windows: the user's and the machine's application data, where the school's IT puts
    // the box's tables for every user.
    void windowsFolders() {
        Vexo::FolderSources from;
        from.configDir = "D:/class";
        from.appData = "C:\\Users\\sensei\\AppData\\Roaming";
        from.programData = "C:\\ProgramData";
        QCOMPARE(Vexo::WindowsConfigFolders(from),
                 (QStringList{".", "D:/class", "C:/Users/sensei/AppData/Roaming/Kelvira",
                              "C:/ProgramData/Kelvira"}));
    }

    void eachFileFromTheFirstFolderHoldingIt_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("working folder wins")
            << QStringList{"work/VEXO.TXT", "given/VEXO.TXT", "home/kelvira/VEXO.TXT"}
            << QStringList{"work", "", ""};
        QTest::newRow("only in the user's folder")
            << QStringList{"home/kelvira/kion.csv"} << QStringList{"", "", "home"};
        QTest::newRow("tables apart from VEXO.TXT")
            << QStringList{"work/VEXO.TXT", "home/kelvira/KION.CSV", "sys2/kelvira/EKION.CSV"}
            << QStringList{"work", "sys2", "home"};
        QTest::newRow("--config-dir before the user's folder")
            << QStringList{"given/KION.CSV", "home/kelvira/KION.CSV"}
            << QStringList{"", "", "given"};
        QTest::newRow("XDG_CONFIG_DIRS in order")
            << QStringList{"sys2/kelvira/EKION.CSV", "sys1/kelvira/Ekion.csv"}
            << QStringList{"", "sys1", ""};
    }
    void eachFileFromTheFirstFolderHoldingIt() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, found);
        QTemporaryDir root;
        for (const QString& file : files) {
            QVERIFY(QDir(root.path()).mkpath(QFileInfo(file).path()));
            QFile f(root.filePath(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file.section('/', 0, 0).toUtf8());
        }
        QDir(root.path()).mkpath("work");
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.filePath("work")));
        qputenv("XDG_CONFIG_HOME", root.filePath("home").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS",
                (root.filePath("sys1") + ":" + root.filePath("sys2")).toLocal8Bit());
        Vexo::SearchConfigFolders(root.filePath("given"), {});
        QStringList read;
        for (const char* name : {"VEXO.TXT", "EKION.CSV", "KION.CSV"})
            read << QString::fromUtf8(Vexo::OpenConfigFile(name).content.value_or(""));
        Vexo::SearchConfigFolders({}, {});
        QDir::setCurrent(home);
        QCOMPARE(read, found);
    }
};

QTEST_GUILESS_MAIN(ConfigFoldersTest)
#include "config_folders_test.moc"
