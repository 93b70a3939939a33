// A group's name as the class view shows it. The name is the group's own, and untrusted: it
// may hold characters that show nothing (a zero-width space), turn the text around (a
// right-to-left override), or look like those of another group's name. Shown names are
// readable and tell every group apart; in the class's CSV no name is taken for a formula.
#pragma once

#include <QString>
#include <QStringList>

namespace ClassView {

// `name` with every character that shows nothing or moves the text written as ⟨U+XXXX⟩
// (controls, format characters, separators other than the space, code points of no
// character), spaces at either end as "␣", and marks stacked above two on one letter dropped.
QString ReadableName(const QString& name);

// The shown names of `names` (in that order): readable, and where two would look alike (the
// same letters in another script or width), each numbered after a "#".
QStringList ShownNames(const QStringList& names);

// Whether the group `a` stands before `b`: in the order of their names, numbers in them taken
// as numbers ("han2" before "han10").
bool NameBefore(const QString& a, const QString& b);

// A cell of a CSV file holding `text`: quoted where it holds a comma, quote or line end, and
// begun with "'" where a spreadsheet would take it for a formula (=, +, -, @, tab, CR, and
// the full-width ＝, ＋, －, ＠).
QByteArray CsvTextCell(const QString& text);

}  // namespace ClassView
