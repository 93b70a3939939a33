// The system's own Shift-JIS (code page 932): Qt's converter on Linux, Windows's on Windows.
// Tests make the files a Japanese editor writes with it, and hold the program's table to it.
#pragma once

#include <QByteArray>
#include <QString>

QByteArray SystemShiftJis(const QString& text);
QString SystemFromShiftJis(const QByteArray& bytes);
