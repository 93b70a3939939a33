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
    // Its title does not begin as the main window's: a title that begins "けるびら" is the main
    // window.
    setWindowTitle(QStringLiteral("タブレットで見せる（けるびら）"));
    setAttribute(Qt::WA_ShowWithoutActivating);  // the main window keeps the keys
    setFont(GothicFont(12));
    auto* layout = new QVBoxLayout(this);
    auto* how = new QLabel(
        QStringLiteral("タブレットで このアドレスを\nひらくか、QRコードを\nよみとってください。"),
        this);
    address_ = new QLabel(this);
    address_->setFont(GothicFont(12, true));
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
    // The server and the token on lines of their own: the window stays narrow enough to stand
    // beside the main window, also zoomed for a projector.
    const qsizetype token = address.lastIndexOf(QLatin1Char('/'), -2) + 1;
    address_->setText(address.left(token) + QLatin1Char('\n') + address.mid(token));
    address_->setToolTip(address);
    // Whole pixels for each module of the code: sharp, and readable across a table.
    const int side = std::max(code.width(), 1);
    const int modules = std::max(1, static_cast<int>(240 * CurrentZoom()) / side);
    code_->setPixmap(QPixmap::fromImage(code.scaled(side * modules, side * modules)));
}

void ShareWindow::setCounts(int viewers, int refused, int letGo) {
    counts_->setText(QStringLiteral("見ている %1\nことわった %2\nおいつけなかった %3")
                         .arg(viewers)
                         .arg(refused)
                         .arg(letGo));
}

void ShareWindow::standBeside(QWidget& main) {
    main_ = &main;
    main.installEventFilter(this);
    place();
}

bool ShareWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place();
    return false;
}

void ShareWindow::place() {
    if (!main_) return;
    const QRect frame = main_->frameGeometry();
    const QScreen* screen = main_->screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    int x = frame.right() + 1;
    if (x + width() > room.right()) x = frame.left() - width();
    if (x < room.left()) x = room.right() - width();
    move(x, std::max(room.top(), frame.top()));
}

QString ShareWindow::address() const {
    return address_->toolTip();
}

QString ShareWindow::counts() const {
    return counts_->text();
}

void ShareWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (stopped) stopped();
}

}  // namespace ClassShare
