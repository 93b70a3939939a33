#include "classshare/chart_files.h"

#include <QFile>

// The chart, compiled into the program (share_chart.qrc, made by the build); named outside any
// namespace.
static void LoadChart() {
    Q_INIT_RESOURCE(share_chart);
}

namespace ClassShare {

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

std::vector<PageFile> ChartFiles() {
    LoadChart();
    return {{QStringLiteral("uPlot.iife.min.js"), "text/javascript; charset=utf-8",
             ReadAll(QStringLiteral(":/share/uPlot.iife.min.js"))},
            {QStringLiteral("uPlot.min.css"), "text/css; charset=utf-8",
             ReadAll(QStringLiteral(":/share/uPlot.min.css"))}};
}

}  // namespace ClassShare
