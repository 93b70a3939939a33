#include "classview/results_table.h"

#include <cmath>

#include "classview/group_names.h"

namespace ClassView {

namespace {

// A number to the hundredth, without trailing zeros: "20.5", "-3", "100.25".
QString Number(double value) {
    QString text = QString::number(std::round(value * 100) / 100, 'f', 2);
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text;
}

const QString None = QStringLiteral("--");

QStringList Row(const QString& name, const Summary& s) {
    if (!s.any) return {name, None, None, None, None, None, None};
    return {name,
            DegreesShown(s.start),
            DegreesShown(s.end),
            DegreesShown(s.highest),
            DegreesShown(s.lowest),
            ChangeShown(s.change),
            DurationShown(s.seconds)};
}

}  // namespace

QString DegreesShown(double degrees) {
    if (!std::isfinite(degrees)) return None;
    return Number(degrees) + QStringLiteral(" ℃");
}

QString ChangeShown(double degrees) {
    if (!std::isfinite(degrees)) return None;
    const QString n = Number(degrees);
    return (n.startsWith(QLatin1Char('-')) || n == QLatin1String("0") ? n : QLatin1Char('+') + n) +
           QStringLiteral(" ℃");
}

QString DurationShown(double seconds) {
    if (!std::isfinite(seconds)) return None;
    return TimeShown(seconds);
}

QString TimeShown(double seconds) {
    const double halves = std::round(seconds * 2);
    const long minutes = static_cast<long>(halves) / 120;
    const QString rest = Number((halves - minutes * 120.0) / 2) + QStringLiteral("秒");
    return minutes > 0 ? QString::number(minutes) + QStringLiteral("分") + rest : rest;
}

ResultsTable MakeResults(const QStringList& names, const std::vector<Summary>& summaries,
                         bool withMean) {
    ResultsTable table;
    table.head = {QStringLiteral("はん"),
                  QStringLiteral("はじめ"),
                  QStringLiteral("おわり"),
                  QStringLiteral("いちばん たかい"),
                  QStringLiteral("いちばん ひくい"),
                  QStringLiteral("かわり"),
                  QStringLiteral("じかん")};
    for (size_t i = 0; i < summaries.size(); ++i)
        table.rows.push_back(Row(names.value(static_cast<qsizetype>(i)), summaries[i]));
    const Summary mean = ClassMean(summaries);
    if (withMean && mean.any) table.mean = Row(QStringLiteral("クラスの へいきん"), mean);
    return table;
}

QByteArray ResultsCsv(const QStringList& names, const std::vector<Summary>& summaries) {
    QByteArray out =
        "\xEF\xBB\xBFはん,はじめ(℃),おわり(℃),いちばん たかい(℃),いちばん ひくい(℃),"
        "かわり(℃),じかん(秒)\r\n";
    auto line = [&out](const QByteArray& name, const Summary& s) {
        out += name;
        for (const double figure : {s.start, s.end, s.highest, s.lowest, s.change, s.seconds})
            out += ',' + (s.any ? Number(figure).toUtf8() : QByteArray());
        out += "\r\n";
    };
    for (size_t i = 0; i < summaries.size(); ++i)
        line(CsvTextCell(names.value(static_cast<qsizetype>(i))), summaries[i]);
    const Summary mean = ClassMean(summaries);
    if (mean.any) line("クラスの へいきん", mean);
    return out;
}

}  // namespace ClassView
