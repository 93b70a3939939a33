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

// The face of the texts the windows do not design, the message boxes' among them, at the
// system's size: where the system's own face has no Japanese (Linux's DejaVu Sans), the gothic
// face, so that no second face is opened for them and then left for the gothic one. Call once
// the application object exists, before the first window is made.
void UseGothicByDefault();

// Where the system has no Japanese gothic face (a Windows of another language), the one
// shipped beside the program is loaded. Call once the application object exists.
void LoadShippedFonts();
