// A private X server (Xvfb) for tests that click the program's buttons with xdotool.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QProcess>
#include <QString>
#include <QStringList>

// Centre of the main window's スタート button, the window standing at the screen's corner.
inline const QPoint StartButton(60, 323);

class Xvfb {
  public:
    // Starts the server, of a screen of `size`, when Xvfb and xdotool are installed.
    explicit Xvfb(QSize size = QSize(1024, 768));
    ~Xvfb();
    bool ok() const { return !display_.isEmpty(); }
    QString display() const { return display_; }  // e.g. ":93"
    // Clicks at (x, y) in the client area of the window that process `pid` shows.
    bool click(qint64 pid, int x, int y) const;
    // Clicks at (x, y) in the window whose title begins with `title` (a program under Wine,
    // whose windows another process shows); true when there was one.
    bool clickTitled(const QString& title, int x, int y) const;
    // The size of the window whose title begins with `title`; empty when there is none.
    QSize windowSize(const QString& title) const;
    // Runs a command (xdotool, import, ...) on this screen; true when it succeeded.
    bool run(const QStringList& command) const;
    bool key(const QString& name) const { return run({"xdotool", "key", name}); }
    // Saves the whole screen as `path` (ImageMagick's import) and returns it; null on failure.
    QImage shot(const QString& path) const;

  private:
    QProcess server_;
    QString display_;
};

// Pixels of the graph surface in the trace's red, the main window standing at the screen's
// corner (without a window manager it does).
int RedInGraph(const QImage& screen);
