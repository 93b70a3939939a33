// The degrees a lesson's files hold, one value a tick: a group's own lesson file, and the
// group's column of the class's CSV, for the tests that compare them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A group's KION.CSV: the box's raw bytes read -20 to 130 degrees, what a sensor of the box
// can give.
QByteArray GroupTable();

// The degrees column of the one lesson file in `folder`.
QStringList LessonDegrees(const QString& folder);

// The column of `group` in the class's CSV, empty where it has no tick.
QStringList ClassColumn(const QByteArray& csv, const QString& group);
