#include "classview/class_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "classview/class_graph.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/png_writer.h"
#include "zoom/zoom.h"

namespace ClassView {

namespace {

const QString Title = QStringLiteral("けるびら　クラス");

// Groups whose every row the strip under the graph shows; with more, the picked group's.
constexpr int StripGroups = 3;

// The link's fault in the view's own words: the view signs in as the teacher's user, not as
// a group.
QString FaultText(ClassLink::LinkFault fault) {
    if (fault == ClassLink::LinkFault::TakenOver)
        return QStringLiteral(
            "同じユーザー名の別のクラスビューが代わりに入りました（つなぎ直しません）");
    return ClassLink::LinkFaultText(fault);
}

}  // namespace

ClassWindow::ClassWindow() {
    showing_.setSingleShot(true);
    showing_.setInterval(ShowEveryMs);
    QObject::connect(&showing_, &QTimer::timeout, this, [this] { changed(); });
    setFont(GothicFont(12));
    setAcceptDrops(true);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);
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
    root->addWidget(state_);
    join_ = new QLabel(this);
    join_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    join_->hide();
    root->addWidget(join_);
    refusals_ = new QLabel(this);
    refusals_->hide();
    root->addWidget(refusals_);
    joinLettering();

    // The groups and the graph across the whole width; under them まとめ, the markers, the
    // tools and the page's address, beside the page's QR code while the class is shared.
    board_ = new GroupBoard(model_, this);
    board_->clicked = [this](int group) { pick(group); };
    root->addWidget(board_);
    graph_ = new GraphView(model_, this);
    graph_->predictionDrawn = [this] { stepsDone(); };
    graph_->toolChanged = [this] { syncTools(); };
    root->addWidget(graph_, 1);
    auto* bottom = new QHBoxLayout;
    bottom_ = bottom;
    root->addLayout(bottom);
    auto* below = new QVBoxLayout;
    below->setSpacing(4);
    bottom->addLayout(below, 1);
    shareCode_ = new QLabel(this);
    shareCode_->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    shareCode_->hide();
    bottom->addWidget(shareCode_);

    // まとめ, and beside it the markers listed with their times.
    auto* strip = new QHBoxLayout;
    strip_ = strip;
    below->addLayout(strip, 1);
    results_ = new ResultsView(this);
    strip->addWidget(results_);
    markers_ = new QLabel(this);
    markers_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    strip->addWidget(markers_, 1);

    // The tools.
    auto* tools = new QHBoxLayout;
    below->addLayout(tools);
    auto button = [this, tools](const QString& text, bool checkable) {
        auto* b = new QPushButton(text, this);
        b->setCheckable(checkable);
        b->setFocusPolicy(Qt::NoFocus);
        tools->addWidget(b);
        return b;
    };
    predict_ = button(QStringLiteral("よそうを かく"), true);
    connect(predict_, &QPushButton::clicked, this,
            [this](bool on) { setTool(on ? GraphView::Tool::Predict : GraphView::Tool::Cursor); });
    QPushButton* erase = button(QStringLiteral("よそうを けす"), false);
    connect(erase, &QPushButton::clicked, this, [this] { erasePrediction(); });
    QPushButton* marks = button(QStringLiteral("しるし"), false);
    connect(marks, &QPushButton::clicked, this, [this, marks] {
        QMenu menu(this);
        addStepActions(menu, -1);
        FollowZoom(menu, GothicFont(12));
        menu.exec(marks->mapToGlobal(QPoint(0, marks->height())));
    });
    twoPoints_ = button(QStringLiteral("2てんを よむ"), true);
    connect(twoPoints_, &QPushButton::clicked, this, [this](bool on) {
        setTool(on ? GraphView::Tool::TwoPoints : GraphView::Tool::Cursor);
    });
    stretch_ = button(QStringLiteral("はんいを よむ"), true);
    connect(stretch_, &QPushButton::clicked, this,
            [this](bool on) { setTool(on ? GraphView::Tool::Stretch : GraphView::Tool::Cursor); });
    resultsButton_ = button(QStringLiteral("まとめ"), true);
    connect(resultsButton_, &QPushButton::clicked, this, [this](bool on) { showResultsLarge(on); });
    tools->addStretch(1);

    // The shared page's address, on one line, and the counts.
    shareText_ = new QLabel(this);
    QFont address = font();
    address.setBold(true);
    shareText_->setFont(address);
    shareText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shareText_->hide();
    below->addWidget(shareText_);
    counts_ = new QLabel(this);
    below->addWidget(counts_);

    connect(graph_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { showMenu(graph_->mapToGlobal(at)); });
    auto* save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [this] { askToSaveCsv(); });
    auto* open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, [this] { askToOpen(); });
    // Keys for the steps: M asks for a marker's words, 1 2 3 set the offered ones, P takes the
    // pen for the prediction, T shows まとめ large.
    auto key = [this](QKeySequence sequence, std::function<void()> act) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, std::move(act));
    };
    key(QKeySequence(Qt::Key_M), [this] { askForMarker(); });
    for (int i = 0; i < MarkerChoices().size(); ++i)
        key(QKeySequence(Qt::Key_1 + i), [this, i] { mark(MarkerChoices()[i]); });
    key(QKeySequence(Qt::Key_P), [this] {
        setTool(graph_->tool() == GraphView::Tool::Predict ? GraphView::Tool::Cursor
                                                           : GraphView::Tool::Predict);
    });
    key(QKeySequence(Qt::Key_T), [this] { showResultsLarge(!resultsLarge()); });
    // A projector's screen, the common 1280 × 800, where the screen has room for it.
    QSize size(1280, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
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

// The board for groups that came since, the counts, the results, and a repaint of the graph
// and the board.
void ClassWindow::changed() {
    showing_.stop();
    ++showings_;
    const auto& groups = model_.groups();
    if (groups.size() != boardGroups_) {
        boardGroups_ = groups.size();
        board_->groupsChanged();
        // A large class is named by the list's colours: the graph keeps its width.
        graph_->setLegend(groups.size() <= MostTiles);
    }
    board_->setPicked(pickedIndex());
    board_->update();
    graph_->setPicked(pickedIndex());
    graph_->update();
    showResults();
    // The markers a line each, a marker's number, time and words kept together.
    QStringList marks;
    const auto& markers = model_.markers();
    for (size_t i = 0; i < markers.size(); ++i)
        marks << QStringLiteral("%1\u00A0%2\u00A0%3")
                     .arg(i + 1)
                     .arg(TimeShown(markers[i].seconds), markers[i].label);
    markers_->setText(marks.isEmpty() ? QString()
                                      : QStringLiteral("しるし\n") + marks.join(QLatin1Char('\n')));
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

// まとめ: large, every group; as a strip, a few groups or the picked one, and the average.
void ClassWindow::showResults() {
    const auto& groups = model_.groups();
    results_->setVisible(!groups.empty());
    if (groups.empty()) return;
    ResultsTable table = MakeResults(model_.shownNames(), model_.summaries(), groups.size() > 1);
    std::vector<QColor> colours;
    for (const Group& g : groups) colours.push_back(TraceColour(g.colour));
    if (!results_->large() && groups.size() > StripGroups) {
        const int picked = pickedIndex();
        std::vector<QStringList> rows;
        colours.clear();
        if (picked >= 0) {
            rows.push_back(table.rows[static_cast<size_t>(picked)]);
            colours.push_back(TraceColour(groups[static_cast<size_t>(picked)].colour));
        }
        table.rows = rows;
    }
    results_->setTable(table, colours);
    if (!results_->large()) {
        const int lines =
            1 + static_cast<int>(table.rows.size()) + (table.mean.has_value() ? 1 : 0);
        results_->setFixedHeight(results_->stripHeight(lines));
        results_->setMaximumWidth(results_->stripWidth());
    }
}

void ClassWindow::showResultsLarge(bool large) {
    results_->setLarge(large);
    resultsButton_->setChecked(large);
    // The 結果 step: the table takes the board's place too, for its lettering's sake.
    graph_->setVisible(!large);
    board_->setVisible(!large);
    if (large) {
        results_->setMinimumHeight(0);
        results_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // The strip's place goes to the table: it stretches where the graph did.
    auto* root = static_cast<QBoxLayout*>(layout());
    root->setStretch(root->indexOf(bottom_), large ? 1 : 0);
    strip_->setStretch(0, large ? 4 : 0);
    showResults();
}

void ClassWindow::setTool(GraphView::Tool tool) {
    graph_->setTool(tool);
    syncTools();
}

void ClassWindow::syncTools() {
    predict_->setChecked(graph_->tool() == GraphView::Tool::Predict);
    twoPoints_->setChecked(graph_->tool() == GraphView::Tool::TwoPoints);
    stretch_->setChecked(graph_->tool() == GraphView::Tool::Stretch);
    // The tools work on the graph: まとめ gives the graph its place back.
    if (graph_->tool() != GraphView::Tool::Cursor && resultsLarge()) showResultsLarge(false);
}

void ClassWindow::setPrediction(Prediction prediction) {
    model_.setPrediction(std::move(prediction));
    stepsDone();
}

void ClassWindow::erasePrediction() {
    setPrediction({});
}

double ClassWindow::markerSeconds(int pointed) const {
    const int last = std::max(model_.lastTick(), 0);
    for (const Group& g : model_.groups())
        if (g.measuring && g.online && !g.fromFile) return last / 2.0;
    if (pointed < 0) pointed = graph_->cursorTick();
    return (pointed >= 0 ? pointed : last) / 2.0;
}

bool ClassWindow::mark(const QString& label, int pointed) {
    if (!model_.addMarker(markerSeconds(pointed), label)) return false;
    stepsDone();
    return true;
}

void ClassWindow::removeLastMarker() {
    model_.removeLastMarker();
    stepsDone();
}

void ClassWindow::clearMarkers() {
    model_.clearMarkers();
    stepsDone();
}

// The prediction or the markers changed: shown now, and told to the tablets.
void ClassWindow::stepsDone() {
    changed();
    if (stepsChanged) stepsChanged();
}

void ClassWindow::askForMarker(int pointed) {
    // Chosen from the offered words or typed, at the window's zoom on the projector.
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("しるし"));
    dialog.setLabelText(QStringLiteral("なにを しましたか："));
    dialog.setComboBoxItems(MarkerChoices());
    dialog.setComboBoxEditable(true);
    FollowZoom(dialog);
    if (dialog.exec() == QDialog::Accepted) mark(dialog.textValue(), pointed);
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
    return graph_->picture();
}

QString ClassWindow::ResultsPath(const QString& csvPath) {
    const QFileInfo info(csvPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_まとめ.csv"));
}

bool ClassWindow::saveCsv(const QString& path) const {
    auto write = [](const QString& to, const QByteArray& bytes) {
        QFile file(to);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) >= 0 && file.flush();
    };
    const bool lesson = write(path, model_.csv());
    return write(ResultsPath(path), model_.resultsCsv()) && lesson;
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

// The prediction, the markers, the ways of reading off and まとめ, for the graph's menu and
// the markers' button; `pointed` is the tick the menu was opened at (-1: none).
void ClassWindow::addStepActions(QMenu& menu, int pointed) {
    for (int i = 0; i < MarkerChoices().size(); ++i)
        menu.addAction(QStringLiteral("しるし %1：%2").arg(i + 1).arg(MarkerChoices()[i]),
                       [this, i, pointed] { mark(MarkerChoices()[i], pointed); });
    menu.addAction(QStringLiteral("しるし：ことばを いれる…（M）"),
                   [this, pointed] { askForMarker(pointed); });
    QAction* last =
        menu.addAction(QStringLiteral("さいごの しるしを けす"), [this] { removeLastMarker(); });
    QAction* all =
        menu.addAction(QStringLiteral("しるしを ぜんぶ けす"), [this] { clearMarkers(); });
    last->setEnabled(!model_.markers().empty());
    all->setEnabled(!model_.markers().empty());
}

void ClassWindow::showMenu(QPoint at) {
    const QImage picture = graphPicture();
    const int pointed = graph_->cursorTick();
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
    if (openClassAsked && className_.isEmpty())
        menu.addAction(QStringLiteral("クラスをひらく…"), [this] { openClassAsked(); });
    menu.addSeparator();
    QAction* predict = menu.addAction(QStringLiteral("よそうを かく（P）"));
    predict->setCheckable(true);
    predict->setChecked(graph_->tool() == GraphView::Tool::Predict);
    connect(predict, &QAction::toggled, this,
            [this](bool on) { setTool(on ? GraphView::Tool::Predict : GraphView::Tool::Cursor); });
    QAction* erase = menu.addAction(QStringLiteral("よそうを けす"), [this] { erasePrediction(); });
    erase->setEnabled(!model_.prediction().empty());
    QMenu* marks = menu.addMenu(QStringLiteral("しるし"));
    addStepActions(*marks, pointed);
    QMenu* read = menu.addMenu(QStringLiteral("よみとり"));
    const std::pair<QString, GraphView::Tool> tools[] = {
        {QStringLiteral("カーソル"), GraphView::Tool::Cursor},
        {QStringLiteral("2てんを よむ"), GraphView::Tool::TwoPoints},
        {QStringLiteral("はんいを よむ"), GraphView::Tool::Stretch}};
    for (const auto& [text, tool] : tools) {
        QAction* action = read->addAction(text, [this, tool = tool] { setTool(tool); });
        action->setCheckable(true);
        action->setChecked(graph_->tool() == tool);
    }
    QAction* large = menu.addAction(QStringLiteral("まとめを 大きく（T）"));
    large->setCheckable(true);
    large->setChecked(resultsLarge());
    connect(large, &QAction::toggled, this, [this](bool on) { showResultsLarge(on); });
    if (shareSwitched) {
        menu.addSeparator();
        QAction* share = menu.addAction(QStringLiteral("タブレットで見せる"));
        share->setCheckable(true);
        share->setChecked(!shareText_->isHidden());
        connect(share, &QAction::toggled, this, [this](bool on) { shareSwitched(on); });
    }
    FollowZoom(menu, GothicFont(12));
    FollowZoom(*marks, GothicFont(12));
    FollowZoom(*read, GothicFont(12));
    menu.exec(at);
}

void ClassWindow::showShare(const QString& address, const QImage& code) {
    const bool on = !address.isEmpty();
    shareText_->setVisible(on);
    shareCode_->setVisible(on);
    shareImage_ = on ? code : QImage();
    if (on) {
        // On one line, under the class: an address broken over two is misread.
        shareText_->setText(QStringLiteral("タブレットで見る：") + address);
        showCode();
    }
    changed();
}

// Whole pixels for each module of the code: sharp on a projector, readable from the back of
// the room.
void ClassWindow::showCode() {
    if (shareImage_.isNull()) return;
    const int side = std::max(shareImage_.width(), 1);
    const int modules = std::max(1, static_cast<int>(160 * CurrentZoom()) / side);
    shareCode_->setPixmap(QPixmap::fromImage(shareImage_.scaled(side * modules, side * modules)));
}

// Zoomed, the lettering changed: the strip and the code take their sizes anew.
void ClassWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        QTimer::singleShot(0, this, [this] {
            showCode();
            joinLettering();
            changed();
        });
}

// The join line twice the window's lettering, bold: read from the back of the room.
void ClassWindow::joinLettering() {
    QFont large = font();
    if (large.pixelSize() > 0)
        large.setPixelSize(large.pixelSize() * 2);
    else
        large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    join_->setFont(large);
}

void ClassWindow::showJoin(const QString& text) {
    join_->setText(text);
    join_->setVisible(!text.isEmpty());
}

void ClassWindow::sayRefused(const QString& text) {
    constexpr int Kept = 3;
    refusedGroups_.append(text);
    while (refusedGroups_.size() > Kept) refusedGroups_.removeFirst();
    refusals_->setText(QStringLiteral("入れなかった：") +
                       refusedGroups_.join(QStringLiteral("　")));
    refusals_->show();
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
