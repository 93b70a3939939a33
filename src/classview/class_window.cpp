#include "classview/class_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QRandomGenerator>
#include <QShortcut>
#include <QVBoxLayout>

#include "classview/class_graph.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/png_writer.h"
#include "zoom/zoom.h"

namespace ClassView {

namespace {

constexpr int TilesPerRow = 8;
const QString Title = QStringLiteral("けるびら　クラス");

// The link's fault in the view's own words: the view signs in as the teacher's user, not as
// a group.
QString FaultText(ClassLink::LinkFault fault) {
    if (fault == ClassLink::LinkFault::TakenOver)
        return QStringLiteral(
            "同じユーザー名の別のクラスビューが代わりに入りました（つなぎ直しません）");
    return ClassLink::LinkFaultText(fault);
}

}  // namespace

class ClassWindow::Graph : public QWidget {
  public:
    explicit Graph(ClassWindow& window) : QWidget(&window), window_(window) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(400, 250);
        setContextMenuPolicy(Qt::CustomContextMenu);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        DrawClassGraph(painter, rect(), window_.model_, window_.pickedIndex(), CurrentZoom());
    }

  private:
    ClassWindow& window_;
};

ClassWindow::ClassWindow() {
    showing_.setSingleShot(true);
    showing_.setInterval(ShowEveryMs);
    QObject::connect(&showing_, &QTimer::timeout, this, [this] { changed(); });
    setFont(GothicFont(12));
    setAcceptDrops(true);
    auto* row = new QHBoxLayout(this);
    auto* column = new QVBoxLayout;
    row->addLayout(column, 1);
    // The shared page's address and its QR code, beside the class while it is shared.
    shareCode_ = new QLabel(this);
    shareCode_->setAlignment(Qt::AlignCenter);
    shareText_ = new QLabel(this);
    shareText_->setAlignment(Qt::AlignCenter);
    shareText_->setWordWrap(true);
    auto* share = new QVBoxLayout;
    share->addWidget(shareText_);
    share->addWidget(shareCode_);
    share->addStretch(1);
    row->addLayout(share);
    shareCode_->hide();
    shareText_->hide();
    tiles_ = new QGridLayout;
    column->addLayout(tiles_);
    graph_ = new Graph(*this);
    column->addWidget(graph_, 1);
    counts_ = new QLabel(this);
    column->addWidget(counts_);
    // Why the class's broker is not reached, in the window: its title is hidden on a
    // projector's full screen.
    state_ = new QLabel(this);
    state_->setAutoFillBackground(true);
    QPalette warning = state_->palette();
    warning.setColor(QPalette::Window, QColor(255, 255, 0));
    warning.setColor(QPalette::WindowText, QColor(0, 0, 0));
    state_->setPalette(warning);
    state_->setMargin(4);
    state_->hide();
    column->insertWidget(0, state_);
    connect(graph_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { showMenu(graph_->mapToGlobal(at)); });
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] { askToSaveCsv(); });
    auto* open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, [this] { askToOpen(); });
    resize(1000, 700);
    showTitle();
    changed();
}

ClassWindow::~ClassWindow() {
    link_.reset();  // no message is handed on after this
}

void ClassWindow::watch(const ClassLink::ClassAddress& address,
                        const ClassLink::MakeConnection& connect) {
    className_ = address.className;
    ClassLink::BrokerConnection::Callbacks callbacks;
    // From the network thread, handed on to this one.
    callbacks.fault = [this](ClassLink::LinkFault fault) {
        QMetaObject::invokeMethod(
            this, [this, fault] { showFault(fault); }, Qt::QueuedConnection);
    };
    callbacks.received = [this](const QByteArray& topic, const QByteArray& payload) {
        QMetaObject::invokeMethod(
            this, [this, topic, payload] { receive(topic, payload); }, Qt::QueuedConnection);
    };
    // A client's name no group can guess, so that none can take it over and put the view off.
    const QString id = QStringLiteral("kelvira-class-") +
                       QString::number(QRandomGenerator::system()->generate64(), 36);
    link_ = connect(address, id, {}, callbacks);
    link_->subscribe(ClassLink::ClassTopics(className_));
    showFault(link_->setUpFault() != ClassLink::LinkFault::None ? link_->setUpFault()
                                                                : ClassLink::LinkFault::Connecting);
    link_->start();
}

void ClassWindow::showFault(ClassLink::LinkFault fault) {
    fault_ = fault;
    state_->setText(QStringLiteral("クラス %1：%2").arg(className_, FaultText(fault)));
    state_->setVisible(fault != ClassLink::LinkFault::None);
    showTitle();
}

void ClassWindow::receive(const QByteArray& topic, const QByteArray& payload) {
    const auto message = ClassLink::ReadMessage(className_, topic, payload);
    if (!message || model_.take(*message) != ClassModel::Taken::Shown) {
        ++dropped_;
    } else {
        ++received_;
        if (messageTaken) messageTaken(*message);
    }
    showSoon();
}

// Every group ticks twice a second: what came is shown together, a few times a second.
void ClassWindow::showSoon() {
    if (!showing_.isActive()) showing_.start();
}

bool ClassWindow::openLesson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024) return false;
    bool ok = false;
    const std::vector<float> degrees = ReadLessonFile(file.readAll(), &ok);
    if (!ok || !model_.addLesson(QFileInfo(path).completeBaseName(), degrees)) return false;
    changed();
    return true;
}

// Tiles for groups that came since, the counts, and a repaint of the graph and the tiles.
void ClassWindow::changed() {
    showing_.stop();
    ++showings_;
    const auto& groups = model_.groups();
    while (tileWidgets_.size() < groups.size()) {
        const int n = static_cast<int>(tileWidgets_.size());
        auto* tile = new GroupTile(model_, n, this);
        tile->clicked = [this](int group) { pick(group); };
        tiles_->addWidget(tile, n / TilesPerRow, n % TilesPerRow);
        tileWidgets_.push_back(tile);  // it takes the window's font, at the window's zoom
    }
    for (size_t i = 0; i < tileWidgets_.size(); ++i) {
        tileWidgets_[i]->setPicked(static_cast<int>(i) == pickedIndex());
        tileWidgets_[i]->update();
    }
    graph_->update();
    QString counts = QStringLiteral("グループ %1　受信 %2　破棄 %3")
                         .arg(groups.size())
                         .arg(received_)
                         .arg(dropped_);
    if (model_.tooFast() > 0) {
        // Of those, what came faster than a box could make it, and from whom.
        QStringList whom;
        for (size_t i = 0; i < groups.size(); ++i)
            if (groups[i].tooFast > 0) whom << model_.shownNames().value(static_cast<int>(i));
        if (whom.size() > 3) whom = whom.mid(0, 3) << QStringLiteral("…");
        counts += QStringLiteral("（速すぎ %1：%2）").arg(model_.tooFast()).arg(whom.join(u'、'));
    }
    if (!shareText_->isHidden())
        counts += QStringLiteral("　ページ：見ている %1　ことわった %2　おいつけなかった %3")
                      .arg(viewers_)
                      .arg(refused_)
                      .arg(letGo_);
    counts_->setText(counts);
}

void ClassWindow::pick(int group) {
    const QString name = model_.groups()[static_cast<size_t>(group)].name;
    picked_ = picked_ == name ? QString() : name;
    changed();
}

// Groups stand in the order of their names: the picked one is found again by its name.
int ClassWindow::pickedIndex() const {
    const auto& groups = model_.groups();
    for (size_t i = 0; i < groups.size(); ++i)
        if (!picked_.isEmpty() && groups[i].name == picked_) return static_cast<int>(i);
    return -1;
}

QImage ClassWindow::graphPicture() const {
    QImage picture(graph_->size() * graph_->devicePixelRatioF(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(graph_->devicePixelRatioF());
    QPainter painter(&picture);
    painter.setFont(graph_->font());
    DrawClassGraph(painter, graph_->rect(), model_, pickedIndex(), CurrentZoom());
    return picture;
}

bool ClassWindow::saveCsv(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(model_.csv()) >= 0 && file.flush();
}

void ClassWindow::askToSaveCsv() {
    QString path = AskForFiles(this, QStringLiteral("クラスのデータを保存"), QString(),
                               QStringLiteral("CSV (*.csv)"), true);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path += QStringLiteral(".csv");
    if (!saveCsv(path)) MsgBox(QStringLiteral("データを保存できませんでした。"), vbOKOnly);
}

void ClassWindow::askToOpen() {
    const QString paths = AskForFiles(this, QStringLiteral("記録ファイルを開く"), QString(),
                                      QStringLiteral("CSV (*.csv)"), false);
    for (const QString& path : paths.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!openLesson(path))
            MsgBox(QFileInfo(path).fileName() + QStringLiteral(" は記録ファイルではありません。"),
                   vbOKOnly);
}

void ClassWindow::showMenu(QPoint at) {
    const QImage picture = graphPicture();
    QMenu menu(this);
    menu.addAction(QStringLiteral("グラフをコピー"),
                   [picture] { QApplication::clipboard()->setImage(picture); });
    menu.addAction(QStringLiteral("グラフを保存…"), [this, picture] {
        QString path = AskForFiles(this, QStringLiteral("グラフを保存"), QString(),
                                   QStringLiteral("PNG (*.png)"), true);
        if (path.isEmpty()) return;
        if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
            path += QStringLiteral(".png");
        if (!SavePng(picture, path))
            MsgBox(QStringLiteral("グラフを保存できませんでした。"), vbOKOnly);
    });
    menu.addAction(QStringLiteral("クラスのデータを保存…"), [this] { askToSaveCsv(); });
    menu.addAction(QStringLiteral("記録ファイルを開く…"), [this] { askToOpen(); });
    if (shareSwitched) {
        QAction* share = menu.addAction(QStringLiteral("タブレットで見せる"));
        share->setCheckable(true);
        share->setChecked(!shareText_->isHidden());
        connect(share, &QAction::toggled, this, [this](bool on) { shareSwitched(on); });
    }
    FollowZoom(menu, GothicFont(12));
    menu.exec(at);
}

void ClassWindow::showShare(const QString& address, const QImage& code) {
    const bool on = !address.isEmpty();
    shareText_->setVisible(on);
    shareCode_->setVisible(on);
    if (on) {
        shareText_->setText(QStringLiteral("タブレットで見る：\n") + address);
        // Whole pixels for each module of the code: sharp on a projector, readable from the
        // back of the room.
        const int side = std::max(code.width(), 1);
        const int modules = std::max(1, static_cast<int>(320 * CurrentZoom()) / side);
        shareCode_->setPixmap(QPixmap::fromImage(code.scaled(side * modules, side * modules)));
    }
    changed();
}

void ClassWindow::setShareCounts(int viewers, int refused, int letGo) {
    viewers_ = viewers;
    refused_ = refused;
    letGo_ = letGo;
    changed();
}

void ClassWindow::showTitle() {
    QString title = Title;
    if (!className_.isEmpty())
        title += QLatin1Char(' ') + className_ +
                 (fault_ == ClassLink::LinkFault::None
                      ? QStringLiteral("（接続）")
                      : QStringLiteral("（") + FaultText(fault_) + QStringLiteral("）"));
    setWindowTitle(title);
}

void ClassWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void ClassWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) openLesson(url.toLocalFile());
    event->acceptProposedAction();
}

}  // namespace ClassView
