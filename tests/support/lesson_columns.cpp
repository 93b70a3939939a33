#include "support/lesson_columns.h"

#include <QDir>
#include <QFile>

QByteArray GroupTable() {
    QByteArray table = "raw,degrees\r\n";
    for (int raw = 0; raw <= 255; ++raw) table += QByteArray::number(raw * 150 / 255 - 20) + "\r\n";
    return table;
}

QStringList LessonDegrees(const QString& folder) {
    const QStringList files = QDir(folder).entryList({"*.csv"}, QDir::Files);
    if (files.size() != 1) return {"files: " + files.join(' ')};
    QFile file(folder + "/" + files.first());
    file.open(QIODevice::ReadOnly);
    QStringList degrees;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty())
            degrees << QString::fromUtf8(lines[i].split(',').value(1));
    return degrees;
}

QStringList ClassColumn(const QByteArray& csv, const QString& group) {
    QList<QByteArray> lines = csv.split('\n');
    const QList<QByteArray> header = lines.takeFirst().trimmed().split(',');
    const qsizetype column = header.indexOf(group.toUtf8());
    if (column < 1) return {"no column " + group};
    QStringList values;
    for (const QByteArray& line : lines)
        if (!line.trimmed().isEmpty())
            values << QString::fromUtf8(line.trimmed().split(',').value(column));
    while (!values.isEmpty() && values.last().isEmpty()) values.removeLast();
    return values;
}
