// The start-up log: the lines the program prints into the graph surface while it comes up and
// waits for the box. Every line stands whole on the surface: a device name too long for its
// line is shortened in the middle, and a line printed after the graph has been drawn over
// the log starts the log again at the top, on a band of the graph's background.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace Vexo {

// `text` followed by `name` as lines of at most `width` pixels: one line when both fit, or
// when the name keeps enough of its start and end beside the text with its middle replaced by
// "…"; otherwise `text` alone and then the name on a line of its own, shortened as far as
// needed.
QStringList FitLogLines(const QString& text, const QString& name, const QFontMetrics& metrics,
                        int width);

// Prints one line of the log into Picture2.
void PrintLog(const QString& line);
// Prints `text` and `name` as FitLogLines puts them for Picture2.
void PrintLogNaming(const QString& text, const QString& name);

// The graph has been drawn over the log: the next line printed starts the log again.
void LogCoveredByGraph();
// Back to the log of a new start-up (tests).
void ResetLog();

}  // namespace Vexo
