// The small window of Kelvira's own sharing, beside the main window (whose design stays as it
// is): the page's address, its QR code, how many tablets look, were refused or let go, and a
// button that stops the sharing. Closing the window stops it too.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QLabel;

namespace ClassShare {

class ShareWindow : public QWidget {
  public:
    ShareWindow();
    void showAddress(const QString& address, const QImage& code);
    void setCounts(int viewers, int refused, int letGo);
    // Keeps the window beside `main` (to its right, else to its left, else over its right
    // edge), on the same screen, so that the main window stays in view, also when the main
    // window is zoomed or moved. `main` outlives the window.
    void standBeside(QWidget& main);
    QString address() const;
    QString counts() const;
    // The teacher stopped the sharing, with the button or by closing the window.
    std::function<void()> stopped;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();

    QWidget* main_ = nullptr;
    QLabel* address_;
    QLabel* code_;
    QLabel* counts_;
};

}  // namespace ClassShare
