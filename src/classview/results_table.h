// まとめ, the class's results: a line for each group (its start, end, highest, lowest, change and
// the time it took) and the class's average of each, in words for the pupils and numbers with
// their units; and the same table as a CSV file of its own for a spreadsheet.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "classview/read_off.h"

namespace ClassView {

struct ResultsTable {
    QStringList head;
    std::vector<QStringList> rows;    // a group each, in the class's order
    std::optional<QStringList> mean;  // the class's average; none when no group holds a tick
    bool operator==(const ResultsTable& other) const {
        return head == other.head && rows == other.rows && mean == other.mean;
    }
};

// The table of the groups `names`, whose lessons' figures are `summaries` (in that order);
// with the class's average when `withMean`.
ResultsTable MakeResults(const QStringList& names, const std::vector<Summary>& summaries,
                         bool withMean);

// Degrees to the hundredth, without trailing zeros, with the unit: "20.5 ℃", "-3 ℃"; "--"
// for none. A change carries its sign: "+14.75 ℃".
QString DegreesShown(double degrees);
QString ChangeShown(double degrees);
// Seconds as minutes and seconds: "10分0秒", "2分5.5秒", "45秒"; "--" for none.
QString DurationShown(double seconds);
// Seconds as a time on the lesson's axis, for a marker or the cursor: "2分5秒", "30.5秒".
QString TimeShown(double seconds);

// The table as a CSV file, as the class's lesson is written (UTF-8 with a byte-order mark,
// CR LF, names no spreadsheet takes for a formula): a head with the units, then plain numbers.
QByteArray ResultsCsv(const QStringList& names, const std::vector<Summary>& summaries);

}  // namespace ClassView
