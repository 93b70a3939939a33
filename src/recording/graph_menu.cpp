// The graph's menu on the right mouse button: the picture to the clipboard, the picture
// into a PNG file of the user's choice, the recordings folder in the file manager, and the
// lesson shown on the pupils' tablets, switched on and off; and, while no class is joined, the
// classes found on the network offered to join.
#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QUrl>
#include <memory>

#include "core/join_offer.h"
#include "core/tablet_share.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/picture_box.h"
#include "platform/png_writer.h"
#include "recording/recording.h"
#include "ui/zanpo.h"
#include "zoom/zoom.h"

namespace Vexo {

namespace {

void SaveAs(QWidget* parent, const QImage& picture) {
    const QString lesson = RecordingFile();
    QString suggested = lesson.isEmpty() ? RecordingFolder() : QFileInfo(lesson).path();
    if (suggested.isEmpty() || !QFileInfo(suggested).isDir()) suggested = QDir::homePath();
    suggested += QLatin1Char('/') +
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
                 QStringLiteral(".png");
    QString path = AskForFiles(parent, QStringLiteral("グラフを保存"), suggested,
                               QStringLiteral("PNG (*.png)"), true);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    if (!SavePng(picture, path)) MsgBox(QStringLiteral("グラフを保存できませんでした。"), vbOKOnly);
}

void OpenFolder() {
    const QString folder = RecordingFolder();
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace

void InstallGraphMenu(Zanpo& window) {
    PictureBox* graph = window.Picture2;
    graph->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(graph, &QWidget::customContextMenuRequested, graph, [graph](QPoint at) {
        // The graph as it was when the menu was asked for; the measurement goes on meanwhile.
        const QImage picture = GraphPicture();
        QMenu menu(graph);
        menu.addAction(QStringLiteral("グラフをコピー"),
                       [picture] { QGuiApplication::clipboard()->setImage(picture); });
        menu.addAction(QStringLiteral("グラフを保存…"),
                       [graph, picture] { SaveAs(graph, picture); });
        menu.addAction(QStringLiteral("記録のフォルダを開く"), OpenFolder)
            ->setEnabled(!RecordingFolder().isEmpty());
        if (TabletShare.switchTo) {
            QAction* share = menu.addAction(QStringLiteral("タブレットで見せる"));
            share->setCheckable(true);
            share->setChecked(TabletShare.on && TabletShare.on());
            QObject::connect(share, &QAction::toggled, [](bool on) { TabletShare.switchTo(on); });
        }
        if (JoinOffer.ask && !(JoinOffer.inClass && JoinOffer.inClass()))
            menu.addAction(QStringLiteral("クラスに さんか…"), [graph] { JoinOffer.ask(graph); });
        FollowZoom(menu, GothicFont(12));  // as large as the window's
        menu.exec(graph->mapToGlobal(at));
    });
}

}  // namespace Vexo
