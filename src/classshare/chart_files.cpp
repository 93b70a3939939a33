#include "classshare/chart_files.h"

#include <QCoreApplication>
#include <QFile>

namespace ClassShare {

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QString ChartFolder() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/page");
#else
    return QStringLiteral("/usr/share/javascript/dygraphs");
#endif
}

std::vector<PageFile> ChartFiles(const QString& folder) {
    return {{QStringLiteral("dygraph.min.js"), "text/javascript; charset=utf-8",
             ReadAll(folder + QStringLiteral("/dygraph.min.js"))},
            {QStringLiteral("dygraph.min.css"), "text/css; charset=utf-8",
             ReadAll(folder + QStringLiteral("/dygraph.min.css"))}};
}

}  // namespace ClassShare
