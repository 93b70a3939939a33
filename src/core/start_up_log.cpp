#include "core/start_up_log.h"

#include "core/vexo.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

// Set when the graph was drawn over the log; then the next line starts it again at the top.
bool restart = false;
// Set from then on: the lines stand on the graph and need a band to be read on.
bool overGraph = false;

// What a name is shortened to at least: its first and last few characters around "…".
constexpr int ShortestName = 8;
// A name shortened to less room than this many characters goes on a line of its own.
constexpr int NameRoom = 28;

}  // namespace

QStringList FitLogLines(const QString& text, const QString& name, const QFontMetrics& metrics,
                        int width) {
    if (metrics.horizontalAdvance(text + name) <= width) return {text + name};
    // Beside the text while the name keeps enough of its start and its end.
    const int beside = width - metrics.horizontalAdvance(text);
    if (beside >= metrics.horizontalAdvance(QString(NameRoom, QLatin1Char('x'))))
        return {text + metrics.elidedText(name, Qt::ElideMiddle, beside)};
    // An indent as wide as one character sets the name off from the text above it.
    const QString indent = QStringLiteral("　");
    const int room = width - metrics.horizontalAdvance(indent);
    QString shortened = metrics.elidedText(name, Qt::ElideMiddle, room);
    if (shortened.size() < ShortestName) shortened = name;  // a surface far too narrow
    return {text, indent + shortened};
}

void PrintLog(const QString& line) {
    if (restart) {
        restart = false;
        Picture2->setPen(QPointF(0, 0));
    }
    if (overGraph) {
        const QPointF at = Picture2->pen();
        const int height = QFontMetrics(Picture2->font()).height();
        Picture2->FilledBox(at, QPointF(Picture2->width() - 1, at.y() + height - 1), GrphBack);
        Picture2->setPen(at);
    }
    Picture2->Print(line);
}

void PrintLogNaming(const QString& text, const QString& name) {
    for (const QString& line :
         FitLogLines(text, name, QFontMetrics(Picture2->font()), Picture2->width()))
        PrintLog(line);
}

void LogCoveredByGraph() {
    restart = overGraph = true;
}

void ResetLog() {
    restart = overGraph = false;
}

}  // namespace Vexo
