// The degrees a lesson's files hold, one value a tick: a group's own lesson file, and the
// group's column of the class's CSV, for the tests that compare them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The degrees column of the one lesson file in `folder`.
QStringList LessonDegrees(const QString& folder);

// The column of `group` in the class's CSV, empty where it has no tick.
QStringList ClassColumn(const QByteArray& csv, const QString& group);
