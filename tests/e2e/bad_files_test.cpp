// Each of the three configuration files spoilt in each way a classroom machine can spoil it,
// one at a time, with the real program against the simulated box: start-up must complete,
// the box must be polled and a reading shown, whatever the file holds.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>
#include <random>

#include "support/box_rig.h"

namespace {

enum class Spoilt { Garbage, InvalidShiftJis, TenMegabytes, LongLine, Directory, Unreadable };

QByteArray Garbage() {
    std::mt19937 random(7);
    QByteArray bytes(4096, '\0');
    for (char& b : bytes) b = char(random() & 0xff);
    return bytes;
}

// Lead bytes with no trail, trail bytes alone, a lead byte at the very end.
QByteArray InvalidShiftJis(bool table) {
    QByteArray lines = table ? "raw,\x82\r\n" : "";
    for (int i = 0; i < 300; ++i) lines += "\x82\r\n\x81\x7f\xfc\xfc\xa0\xfd,\x84\xbf\r\n";
    return lines + "\x83";
}

// Rules for the customization file, rows of numbers for a table.
QByteArray TenMegabytes(bool table) {
    const QByteArray unit = table ? QByteArray("12,34,56,78,90\r\n")
                                  : QByteArray("U25T60C9\r\n\x82\xa0\x82\xc2\x82\xa2\r\n");
    QByteArray bytes;
    bytes.reserve(10 * 1024 * 1024 + unit.size());
    while (bytes.size() < 10 * 1024 * 1024) bytes += unit;
    return bytes;
}

QByteArray LongLine(bool table) {
    return (table ? QByteArray("raw\r\n") : QByteArray("U")) + QByteArray(100000, '9') + "\r\n";
}

struct Case {
    QString name;
    QString file;
    Spoilt spoilt = Spoilt::Garbage;
    std::unique_ptr<BoxRig> rig;
    bool asNobody = false;  // run as nobody: the box's device is closed to it
    QString why;
    bool done = false;

    void start() {
        rig = std::make_unique<BoxRig>();
        const bool table = file != "VEXO.TXT";
        const QString path = rig->dir() + "/" + file;
        QFile::remove(path);
        if (spoilt == Spoilt::Garbage) rig->writeFile(file, Garbage());
        if (spoilt == Spoilt::InvalidShiftJis) rig->writeFile(file, InvalidShiftJis(table));
        if (spoilt == Spoilt::TenMegabytes) rig->writeFile(file, TenMegabytes(table));
        if (spoilt == Spoilt::LongLine) rig->writeFile(file, LongLine(table));
        if (spoilt == Spoilt::Directory) QDir().mkpath(path);
        QStringList wrapper;
        if (spoilt == Spoilt::Unreadable) {
            rig->writeFile(file, table ? QByteArray("raw\r\n1\r\n") : QByteArray("PORT=1\r\n"));
            ::chmod(path.toLocal8Bit().constData(), 0);
            if (geteuid() == 0) {
                // Root reads any file: run as nobody, with the folder and the other files
                // open to all. The device stays root's, so the program runs on without a box.
                wrapper = BoxRig::asNobody();
                if (wrapper.isEmpty()) {
                    done = true;
                    why = "setpriv is not installed";
                    return;
                }
                asNobody = true;
                ::chmod(rig->dir().toLocal8Bit().constData(), 0755);
                for (const QString& other : QDir(rig->dir()).entryList(QDir::Files))
                    if (other != file)
                        ::chmod((rig->dir() + "/" + other).toLocal8Bit().constData(), 0644);
            }
        }
        if (!rig->startBox({"--profile", "constant:63"}))
            why = "the box did not start";
        else if (!rig->startProgram({}, wrapper))
            why = "the program did not start";
    }

    // True once the case has its verdict (in `why`, empty when it passed).
    bool finished() {
        if (done || !why.isEmpty()) return true;
        if (!rig->programRunning()) {
            why = "the program ended (" + rig->programEnding() + ")";
            return true;
        }
        const TraceReader& t = rig->trace;
        if (!t.printed(FirstNotice) || t.last("Label2").isEmpty()) return false;
        if (asNobody) {
            done = t.printed(Missing);
        } else {
            done = t.printed(Announced) && t.seen("Text1") && rig->requests() >= 12;
        }
        return done;
    }
};

}  // namespace

class BadFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void startUpCompletesWhateverTheFilesHold() {
        const std::pair<Spoilt, QString> kinds[] = {
            {Spoilt::Garbage, "binary garbage"}, {Spoilt::InvalidShiftJis, "invalid Shift-JIS"},
            {Spoilt::TenMegabytes, "10 MB"},     {Spoilt::LongLine, "one 100 000-character line"},
            {Spoilt::Directory, "a directory"},  {Spoilt::Unreadable, "unreadable"},
        };
        std::vector<Case> cases;
        for (const QString file : {"VEXO.TXT", "KION.CSV", "EKION.CSV"})
            for (const auto& [spoilt, name] : kinds) {
                Case& c = cases.emplace_back();
                c.name = file + " as " + name;
                c.file = file;
                c.spoilt = spoilt;
            }

        // Six programs at a time, so that two cores keep up with the box's pace.
        QStringList failures;
        for (size_t first = 0; first < cases.size(); first += 6) {
            const size_t end = std::min(cases.size(), first + 6);
            for (size_t i = first; i < end; ++i) cases[i].start();
            const bool all = BoxRig::waitFor(
                [&] {
                    bool every = true;
                    for (size_t i = first; i < end; ++i) every = cases[i].finished() && every;
                    return every;
                },
                30000 * BoxRig::slowdown());
            for (size_t i = first; i < end; ++i) {
                Case& c = cases[i];
                if (!all && !c.finished()) {
                    const QStringList log = c.rig->trace.values("Picture2");
                    c.why = "start-up did not complete; last lines: " +
                            log.mid(std::max<qsizetype>(0, log.size() - 4)).join(" | ");
                }
                if (!c.why.isEmpty())
                    failures << c.name + ": " + c.why;
                c.rig.reset();
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; ")));
    }
};

QTEST_GUILESS_MAIN(BadFilesTest)
#include "bad_files_test.moc"
