// Start-up time with a large customization file: every rule prints its threshold into the
// graph surface, which repaints at once while start-up runs.
// Usage: startup_bench [megabytes]
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "support/headless.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 10;
    for (const char* line : {"U12T3C4\r\nmsg\r\n", "' comment line of some length\r\n"}) {
        QByteArray content;
        while (content.size() < megabytes * 1024 * 1024) content += line;
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QFile file("VEXO.TXT");
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(content);
        file.close();
        Headless h;
        QElapsedTimer clock;
        clock.start();
        Vexo::Form_Load();
        std::printf("%d MB of %-8s lines: start-up %lld ms\n", megabytes,
                    line[0] == 'U' ? "rule" : "comment", static_cast<long long>(clock.elapsed()));
        QDir::setCurrent(home);
    }
}
