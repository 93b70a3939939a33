// The system's side of the windows' fonts (font_families_*.cpp): which families stand for the
// design's gothic faces, and whether one is installed.
#pragma once

#include <QString>
#include <QStringList>

// The families for "ＭＳ ゴシック" and for "ＭＳ Ｐゴシック", the best first.
const QStringList& GothicFamilies();
const QStringList& ProportionalGothicFamilies();

// Whether an installed font has this family name, in any of its languages; asked of the
// system once per name.
bool Installed(const QString& family);

// Finds which of the families are installed (fonts.cpp), so that the first font made need not.
void FindInstalledFamilies();
