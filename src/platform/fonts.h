// The windows' fonts. Their design names the Windows gothic faces; where those are not
// installed, the IPA gothic faces (fonts-ipafont-gothic) stand in: IPAGothic for the fixed
// "ＭＳ ゴシック", IPAPGothic for the proportional "ＭＳ Ｐゴシック". Sizes are given in points
// as designed and set in pixels at 96 dots per inch, so layouts do not depend on the screen.
#pragma once

#include <QFont>

QFont GothicFont(double points, bool bold = false);              // ＭＳ ゴシック
QFont ProportionalGothicFont(double points, bool bold = false);  // ＭＳ Ｐゴシック

// Loads the system's font configuration and finds which of the families above are installed,
// work the first font would otherwise do on the spot. Safe to call on any thread, before or
// after the application object exists.
void ReadFontConfiguration();

// Where the system has no Japanese gothic face (a Windows of another language), the one
// shipped beside the program is loaded. Call once the application object exists.
void LoadShippedFonts();
