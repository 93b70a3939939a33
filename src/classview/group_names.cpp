#include "classview/group_names.h"

#include <QHash>

namespace ClassView {

namespace {

bool ShowsNothing(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        case QChar::Separator_Space:
            return c != U' ' && c != U'\u3000';  // the ideographic space is a name's own
        default:
            return false;
    }
}

bool IsMark(char32_t c) {
    const QChar::Category k = QChar::category(c);
    return k == QChar::Mark_NonSpacing || k == QChar::Mark_Enclosing;
}

QString Escaped(char32_t c) {
    return QStringLiteral("⟨%1⟩").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Letters of other scripts that look like Latin ones, folded to those.
char32_t LatinLookAlike(char32_t c) {
    static const QHash<char32_t, char32_t> alike = {
        {U'а', U'a'}, {U'в', U'b'}, {U'е', U'e'}, {U'к', U'k'}, {U'м', U'm'}, {U'н', U'h'},
        {U'о', U'o'}, {U'р', U'p'}, {U'с', U'c'}, {U'т', U't'}, {U'у', U'y'}, {U'х', U'x'},
        {U'і', U'i'}, {U'ј', U'j'}, {U'ѕ', U's'}, {U'ԁ', U'd'}, {U'ԛ', U'q'}, {U'ԝ', U'w'},
        {U'ο', U'o'}, {U'α', U'a'}, {U'ν', U'v'}, {U'ρ', U'p'}, {U'τ', U't'}, {U'ι', U'i'},
        {U'κ', U'k'}, {U'χ', U'x'}, {U'υ', U'u'}, {U'ε', U'e'},
    };
    return alike.value(c, c);
}

// What a name looks like: compatibility forms folded (full width to half) and look-alike
// letters taken as the Latin ones.
QString Look(const QString& shown) {
    QString look;
    for (const char32_t c : shown.normalized(QString::NormalizationForm_KC).toUcs4()) {
        const char32_t l = LatinLookAlike(c);
        look += QString::fromUcs4(&l, 1);
    }
    return look;
}

}  // namespace

QString ReadableName(const QString& name) {
    const QList<uint> codes = name.toUcs4();
    QString shown;
    int marks = 0;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const char32_t c = codes[i];
        const bool atEdge = i == 0 || i == codes.size() - 1;
        if (IsMark(c)) {
            if (++marks > 2) continue;
        } else {
            marks = 0;
        }
        if (ShowsNothing(c))
            shown += Escaped(c);
        else if (atEdge && (c == U' ' || c == U'\u3000'))
            shown += QStringLiteral("␣");
        else
            shown += QString::fromUcs4(&c, 1);
    }
    return shown;
}

QStringList ShownNames(const QStringList& names) {
    QStringList shown;
    QHash<QString, int> looks;
    for (const QString& name : names) {
        shown << ReadableName(name);
        ++looks[Look(shown.last())];
    }
    QHash<QString, int> numbered;
    for (QString& s : shown) {
        const QString look = Look(s);
        if (looks.value(look) > 1) s += QStringLiteral(" #%1").arg(++numbered[look]);
    }
    return shown;
}

bool NameBefore(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit()) ++ei;
            while (ej < b.size() && b[ej].isDigit()) ++ej;
            // Numbers compared by their value: leading zeros set aside, the longer the larger.
            QStringView x = QStringView(a).mid(i, ei - i), y = QStringView(b).mid(j, ej - j);
            while (x.size() > 1 && x.front() == u'0') x = x.mid(1);
            while (y.size() > 1 && y.front() == u'0') y = y.mid(1);
            if (x.size() != y.size()) return x.size() < y.size();
            if (x != y) return x < y;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;
}

QByteArray CsvTextCell(const QString& text) {
    QByteArray cell = text.toUtf8();
    // A spreadsheet in a Japanese locale takes the full-width signs for the ASCII ones.
    if (!text.isEmpty() &&
        QStringLiteral("=+-@\t\r\uFF1D\uFF0B\uFF0D\uFF20").contains(text.front()))
        cell.prepend('\'');
    if (!cell.contains(',') && !cell.contains('"') && !cell.contains('\n') && !cell.contains('\r'))
        return cell;
    return '"' + cell.replace("\"", "\"\"") + '"';
}

}  // namespace ClassView
