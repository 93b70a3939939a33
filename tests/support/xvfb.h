// A private X server (Xvfb) for tests that click the program's buttons with xdotool.
#pragma once

#include <QProcess>
#include <QString>

class Xvfb {
  public:
    Xvfb();  // starts the server when Xvfb and xdotool are installed
    ~Xvfb();
    bool ok() const { return !display_.isEmpty(); }
    QString display() const { return display_; }  // e.g. ":93"
    // Clicks at (x, y) in the client area of the window that process `pid` shows.
    bool click(qint64 pid, int x, int y) const;

  private:
    QProcess server_;
    QString display_;
};
