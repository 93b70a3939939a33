// The zoom of the main window, for a projector or a screen of many pixels: its layout,
// fonts and pictures scaled together and drawn sharp at the new size. Ctrl++ (or Ctrl+=),
// Ctrl+- and Ctrl+0 step through the factors; F11 shows the window full screen with its
// content as large as fits, centred; F11 or Esc returns to the window as it was. The
// settings dialog and the message boxes follow the main window's factor.
#pragma once

#include <QString>

class QFont;
class QMenu;
class QWidget;

// Gives the main window its zoom keys and draws its pictures at the screen's pixel ratio.
void AttachZoom(QWidget& window);
// Shows the main window at `factor` times its design (the customization file's key).
void SetZoom(double factor);
// The factor the main window is shown at, full screen included; 1 without a main window.
double CurrentZoom();
// Brings another window, the settings dialog or a message box, to the main window's factor.
void FollowZoom(QWidget& window);
// Gives a popup menu the designed font at the main window's factor, and the width its
// design has at that factor: the style's margins around the items do not grow with the
// font, and without the width the longest item would be shortened.
void FollowZoom(QMenu& menu, const QFont& designed);
// Asks for files in a file dialog at the main window's factor (Qt's own dialog, not the
// desktop's, which would not follow it): one file to save, or files to open. Their paths, one
// a line; empty when the dialog was cancelled.
QString AskForFiles(QWidget* parent, const QString& title, const QString& start,
                    const QString& filter, bool save);
// Shows the main window full screen, or the window again (F11).
void ToggleFullScreen();
