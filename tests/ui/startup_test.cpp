// Start-up in a working folder with and without configuration files: the log, the state and
// the window afterwards.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "config/palette.h"
#include "support/headless.h"
#include "support/shift_jis.h"
#include "ui/form_load.h"

using namespace Vexo;

namespace {

const QString DeviceNotice = QStringLiteral("「ざんぽ」初期化中。");

QByteArray ShiftJis(const QString& text) {
    return SystemShiftJis(text);
}

QByteArray Table(int from, int count) {
    QByteArray file = "RAW,DEGREES\r\n";
    for (int i = 0; i < count; ++i) file += QByteArray::number(from + i / 4) + "\r\n";
    return file;
}

// The folders a missing table is looked for in, as the log names them: the working folder
// and the two of the XDG variables (of the application data on Windows), which StartUp keeps
// short.
QStringList SearchedFolders(const QString& workingFolder) {
#ifdef _WIN32
    return {"さがした場所：", "　" + workingFolder, "　C:/no/appdata/Kelvira",
            "　C:/no/programdata/Kelvira"};
#else
    return {"さがした場所：", "　" + workingFolder, "　/no/config/home/kelvira",
            "　/no/config/dirs/kelvira"};
#endif
}

// Runs the load event in a fresh working folder holding `files`.
struct StartUp {
    Headless h;
    std::vector<SurfaceOp> ops;
    QString folder;
    explicit StartUp(const std::map<QString, QByteArray>& files) {
#ifdef _WIN32
        // A folder of a short name, whose line in the log fits beside its indent as on Linux.
        QTemporaryDir dir(QDir::rootPath() + "k-XXXXXX");
#else
        QTemporaryDir dir;
#endif
        folder = dir.path();
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        qputenv("XDG_CONFIG_HOME", "/no/config/home");
        qputenv("XDG_CONFIG_DIRS", "/no/config/dirs");
        qputenv("APPDATA", "C:\\no\\appdata");
        qputenv("PROGRAMDATA", "C:\\no\\programdata");
        for (const auto& [name, content] : files) {
            QFile file(name);
            if (file.open(QIODevice::WriteOnly)) file.write(content);
        }
        h.window->Picture2Surface.log = &ops;
        Form_Load();
        QDir::setCurrent(home);
    }
    // The lines printed into the graph surface before the device notice.
    QStringList configurationLog() const {
        QStringList lines;
        for (const SurfaceOp& op : ops) {
            if (op.kind != SurfaceOp::Print) continue;
            if (op.text == DeviceNotice) break;
            lines << op.text;
        }
        return lines;
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void logLineByLine_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("log");
        const QString begin = QStringLiteral("基本数値設定中");
        const QString reading = QStringLiteral("カスタマイズファイル(Vexo.txt) 読み込み中");
        const QString end = QStringLiteral("基本設定終了！");
        const QString ekion = QStringLiteral("液温データ(EKION.CSV)読み込み。");
        const QString kion = QStringLiteral("気温データ(KION.CSV)読み込み。");
        const QString tooFew = QStringLiteral("データが足りません！");
        const QString noEkion = QStringLiteral("校正表がありません：EKION.CSV");
        const QString noKion = QStringLiteral("校正表がありません：KION.CSV");
        const QString where = "<folders>";  // SearchedFolders
        QTest::newRow("no files") << QStringList{}
                                  << QStringList{begin, end, "", noEkion, noKion, where};
        QTest::newRow("no air table")
            << QStringList{"EKION.CSV"} << QStringList{begin, end, "", ekion, noKion, where};
        QTest::newRow("all files") << QStringList{"VEXO.TXT", "EKION.CSV", "KION.CSV"}
                                   << QStringList{begin, reading, "30", "-5", end, "", ekion, kion};
        QTest::newRow("small-letter names")
            << QStringList{"vexo.txt", "ekion.csv", "kion.csv"}
            << QStringList{begin, reading, "30", "-5", end, "", ekion, kion};
        QTest::newRow("short air table") << QStringList{"EKION.CSV", "SHORT/KION.CSV"}
                                         << QStringList{begin, end, "", ekion, kion, tooFew};
        QTest::newRow("short liquid table") << QStringList{"SHORT/EKION.CSV", "KION.CSV"}
                                            << QStringList{begin, end, "", ekion, tooFew, kion};
    }
    void logLineByLine() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, log);
        std::map<QString, QByteArray> files;
        for (QString name : names) {
            const bool tooShort = name.startsWith("SHORT/");
            name.remove("SHORT/");
            if (name.toUpper() == "VEXO.TXT")
                files[name] = ShiftJis("' rules\r\nU30T5C12\r\nあつい！\r\nD-5\r\nさむい！\r\n");
            else
                files[name] = Table(name.toUpper() == "KION.CSV" ? -20 : -10, tooShort ? 200 : 256);
        }
        StartUp s(files);
        if (log.last() == "<folders>") log = log.mid(0, log.size() - 1) + SearchedFolders(s.folder);
        QCOMPARE(s.configurationLog(), log);
        // The first line stands at the surface's top-left corner, each next one below it.
        QCOMPARE(s.ops.front().kind, SurfaceOp::Print);
        QCOMPARE(s.ops.front().a, QPointF(0, 0));
        for (size_t i = 1; i < s.ops.size() && s.ops[i].kind == SurfaceOp::Print; ++i) {
            QCOMPARE(s.ops[i].a.x(), 0.0);
            QVERIFY(s.ops[i].a.y() > s.ops[i - 1].a.y());
        }
    }

    void defaultsAfterStartUpWithoutFiles() {
        StartUp s({});
        QCOMPARE(ScaleMax, 100.0);
        QCOMPARE(ScaleMin, -10.0);
        QCOMPARE(KionMode, -1.0);
        QCOMPARE(ZidouMode, -1.0);
        QCOMPARE(RequestBytes[0], uint8_t(242));
        QCOMPARE(AlertCount, int16_t(0));
        const std::array<std::pair<Colour, int>, 13> colours = {{
            {KelviraBack, 6},
            {KelviraMemori, 7},
            {KelviraWaku, 15},
            {KelviraGlass, 15},
            {KelviraGlassWaku, 0},
            {KelviraEki, 12},
            {KelviraMozi, 15},
            {GrphBack, 7},
            {GrphMemori, 1},
            {GrphWaku, 15},
            {GrphLine, 12},
            {GrphTateMozi, 0},
            {GrphYokoMozi, 0},
        }};
        for (const auto& [colour, number] : colours) QCOMPARE(colour, PaletteColour(number));
        QCOMPARE(EkionTable, (std::array<int16_t, 256>{}));
        QCOMPARE(KionTable, (std::array<int16_t, 256>{}));
        QCOMPARE(s.h.window->Label2->text(), QStringLiteral("きおんセンサー"));
        QVERIFY(s.h.window->Text2->isHidden());
        QVERIFY(s.h.window->DataReset->isHidden());
        QVERIFY(Timer4->running());
        QCOMPARE(Timer4->interval(), 200);
    }

    // A box read through a table that is all zero shows 0 for every byte: the title says so
    // while that table is in use.
    void theTitleIsMarkedWhileTheTableInUseIsEmpty_data() {
        QTest::addColumn<QByteArray>("customization");
        QTest::addColumn<bool>("marked");
        QTest::newRow("air sensor, air table present") << QByteArray("Kion=-1 \r\n") << false;
        QTest::newRow("liquid sensor, no liquid table") << QByteArray("Kion=0\r\n") << true;
    }
    void theTitleIsMarkedWhileTheTableInUseIsEmpty() {
        QFETCH(QByteArray, customization);
        QFETCH(bool, marked);
        StartUp s({{"VEXO.TXT", customization}, {"KION.CSV", Table(-20, 256)}});
        QCOMPARE(s.h.window->windowTitle().contains("（校正表なし）"), marked);
    }

    void sensorFromTheFileNamesTheLabel_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("label");
        QTest::newRow("Kion=0") << QByteArray("Kion=0\r\n") << "えきおんセンサー";
        QTest::newRow("Kion=1") << QByteArray("Kion=1\r\n") << "えきおんセンサー";
        QTest::newRow("Kion=-1") << QByteArray("Kion=-1\r\n") << "きおんセンサー";
    }
    void sensorFromTheFileNamesTheLabel() {
        QFETCH(QByteArray, line);
        QFETCH(QString, label);
        StartUp s({{"VEXO.TXT", line}});
        QCOMPARE(s.h.window->Label2->text(), label);
    }

    void unusableFilesDoNotStopStartUp() {
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir().mkdir("VEXO.TXT");
        QDir().mkdir("kion.csv");
        QFile garbage("EKION.CSV");
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray("\x82\xff\r\n\0\0\x81", 7));
        garbage.close();
        Headless h;
        std::vector<SurfaceOp> ops;
        h.window->Picture2Surface.log = &ops;
        Form_Load();
        QDir::setCurrent(home);
        QStringList printed;
        for (const SurfaceOp& op : ops)
            if (op.kind == SurfaceOp::Print) printed << op.text;
        const QStringList log{"基本数値設定中",
                              "基本設定終了！",
                              "",
                              "液温データ(EKION.CSV)読み込み。",
                              "データが足りません！",
                              "校正表を読めません：kion.csv"};
        QCOMPARE(printed.mid(0, log.size()), log);
        QVERIFY(printed.size() == log.size() || printed[log.size()] == DeviceNotice);
        QVERIFY(Timer4->running());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
