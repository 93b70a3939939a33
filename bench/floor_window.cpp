// The floors of the whole-program figures: the least a Qt Widgets program does to show one
// window of Kelvira's size, empty or with Kelvira's Japanese captions in Kelvira's fonts. Each
// says "trace Window shown" on stderr, as Kelvira does when tracing, once its window is on the
// screen.
//   floor_window [--captions]                 runs until it is ended
//   floor_window [--captions] --peak-after MS prints its peak resident memory (KiB) MS after
//                                             being shown and ends
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <thread>

#include "bench/proc_figures.h"
#include "platform/fonts.h"
#include "platform/window_shown.h"
#include "ui/twips.h"

namespace {

// What Kelvira's window shows at start-up, in the same fonts and places: the five buttons, the
// labels, the read-out and the start-up log (drawn as Kelvira's graph surface prints it).
void AddCaptions(QWidget& window) {
    const auto label = [&window](const QString& text, QRect at, const QFont& font) {
        auto* l = new QLabel(&window);
        l->setFont(font);
        l->setText(text);
        l->setGeometry(at);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    };
    label(QStringLiteral("きおんセンサー"), TwipRect(0, 0, 1800, 375), GothicFont(9.75));
    label(QStringLiteral(" ℃"), TwipRect(1200, 540, 600, 315), GothicFont(15.75, true));
    label(QStringLiteral("  23"), TwipRect(120, 360, 1095, 495), GothicFont(18, true));
    const std::pair<const char*, int> buttons[] = {
        {"せつめい", 2400}, {"せってい", 3120}, {"リセット", 3840}, {"スタート", 4560}, {"おわり", 5280}};
    for (const auto& [caption, top] : buttons) {
        auto* b = new QPushButton(&window);
        b->setFont(GothicFont(12));
        b->setText(QString::fromUtf8(caption));
        b->setGeometry(TwipRect(240, top, 1320, 585));
    }
    label(QStringLiteral("基本数値設定中\nカスタマイズファイル(Vexo.txt) 読み込み中\n基本設定終了！\n\n"
                         "液温データ(EKION.CSV)読み込み。\n気温データ(KION.CSV)読み込み。\n"
                         "「ざんぽ」初期化中。\n\n　「ざんぽ」が接続されていないと、プログラムが\n"
                         "　起動しません。もし、プログラムが動かない場合に\n"
                         "　は、「ざんぽ」の接続と、ポートの設定を確認して\n　下さい。\n"
                         "　初期設定では接続ポートは「１」になっています。\n"
                         "　ポートの設定変更は「VEXO.TXT」で行って下さい。"),
          TwipRect(3390, 30, 6315, 6075), GothicFont(12));
}

}  // namespace

int main(int argc, char** argv) {
    bool captions = false;
    int peakAfterMs = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--captions") == 0) captions = true;
        if (std::strcmp(argv[i], "--peak-after") == 0 && i + 1 < argc) peakAfterMs = std::atoi(argv[++i]);
    }
    // Kelvira's own start: the font configuration read on a second core meanwhile.
    std::thread fonts;
    if (captions) fonts = std::thread(ReadFontConfiguration);
    QApplication app(argc, argv);
    if (fonts.joinable()) fonts.join();

    QWidget window;
    window.setFixedSize(Twips(9795), Twips(6165));
    if (captions) AddCaptions(window);
    window.show();
    WhenShown(window, [peakAfterMs] {
        std::fputs("trace Window shown\n", stderr);
        std::fflush(stderr);
        if (peakAfterMs < 0) return;
        QTimer::singleShot(peakAfterMs, [] {
            std::printf("%ld\n", PeakResidentKiB(getpid()));
            QCoreApplication::quit();
        });
    });
    return QApplication::exec();
}
