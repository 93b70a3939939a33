#include "classshare/share_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fonts.h"
#include "zoom/zoom.h"

namespace ClassShare {

ShareWindow::ShareWindow() {
    setWindowTitle(QStringLiteral("けるびら（タブレットで見せる）"));
    setAttribute(Qt::WA_ShowWithoutActivating);  // the main window keeps the keys
    setFont(GothicFont(12));
    auto* layout = new QVBoxLayout(this);
    auto* how = new QLabel(
        QStringLiteral("タブレットで このアドレスを ひらくか、\nQRコードを よみとってください。"),
        this);
    address_ = new QLabel(this);
    address_->setFont(GothicFont(15.75, true));
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    code_ = new QLabel(this);
    code_->setAlignment(Qt::AlignCenter);
    counts_ = new QLabel(this);
    auto* stop = new QPushButton(QStringLiteral("見せるのを やめる"), this);
    layout->addWidget(how);
    layout->addWidget(address_);
    layout->addWidget(code_, 1);
    layout->addWidget(counts_);
    layout->addWidget(stop);
    connect(stop, &QPushButton::clicked, this, [this] {
        if (stopped) stopped();
    });
    setCounts(0, 0, 0);
    FollowZoom(*this);
}

void ShareWindow::showAddress(const QString& address, const QImage& code) {
    address_->setText(address);
    // Whole pixels for each module of the code: sharp, and readable across a table.
    const int side = std::max(code.width(), 1);
    const int modules = std::max(1, static_cast<int>(240 * CurrentZoom()) / side);
    code_->setPixmap(QPixmap::fromImage(code.scaled(side * modules, side * modules)));
}

void ShareWindow::setCounts(int viewers, int refused, int letGo) {
    counts_->setText(QStringLiteral("見ている %1　ことわった %2　おいつけなかった %3")
                         .arg(viewers)
                         .arg(refused)
                         .arg(letGo));
}

void ShareWindow::standBeside(const QWidget& main) {
    const QRect frame = main.frameGeometry();
    const QScreen* screen = main.screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    int x = frame.right() + 1;
    if (x + width() > room.right()) x = frame.left() - width();
    if (x < room.left()) x = room.right() - width();
    move(x, std::max(room.top(), frame.top()));
}

QString ShareWindow::address() const {
    return address_->text();
}

QString ShareWindow::counts() const {
    return counts_->text();
}

void ShareWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (stopped) stopped();
}

}  // namespace ClassShare
