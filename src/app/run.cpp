#include "app/run.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QStyleFactory>
#include <QSysInfo>
#include <cstdio>
#include <thread>

#include "app/command_line.h"
#include "app/demo.h"
#include "app/end_signals.h"
#include "app/install_layout.h"
#include "app/system_line.h"
#include "app/trace.h"
#include "classfind/class_finder.h"
#include "classroom/class_publisher.h"
#include "classroom/join_dialog.h"
#ifdef KELVIRA_SHARING
#include "classshare/own_share.h"
#endif
#include "config/config_folders.h"
#include "config/customization.h"
#include "core/join_offer.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "core/window_title.h"
#include "device/port_choice.h"
#include "platform/fonts.h"
#include "platform/qt_window_timer.h"
#include "platform/serial_line.h"
#include "recording/recording.h"
#include "ui/commands.h"
#include "ui/form_load.h"
#include "ui/zanpo.h"

namespace App {

namespace {

#ifdef KELVIRA_SHARING
using ShareOwner = ClassShare::OwnShare;
#else
// Without the page's server, nothing shares.
struct ShareOwner {
    explicit ShareOwner(const QString&) {}
};
#endif

// The example files of a demonstration, installed beside the program.
QString ExamplesFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + KELVIRA_DATA_FROM_BIN);
}

// Hands what the command line chose to the rooms that own it, and attaches the listeners of
// the lesson events.
void Wire() {
    if (Given.noRecord) Vexo::SwitchRecordingOff();
    Vexo::NamePortDevice(Given.port);
    Vexo::AttachRecording();
}

// What the program does before it goes, however it ends: the class left, the lesson's file
// brought onto the disk, the port closed.
void Finish() {
    Vexo::LeaveClass();
    Vexo::FinishRecording();
    if (Vexo::MSComm1) Vexo::MSComm1->setPortOpen(false);
}

// The group's name before the customization file is read: --group, Han=, else the host's.
QString GroupName() {
    if (!Given.group.trimmed().isEmpty()) return Given.group.trimmed();
    const QString han = Vexo::CustomizationValue(QLatin1StringView("HAN="));
    return han.isEmpty() ? QSysInfo::machineHostName() : han;
}

// Shares the lesson with the pupils' tablets when --share asked for it: the address on the
// standard error and in the start-up log.
void ShareIfAsked(ShareOwner& share) {
    if (!Given.share.asked) return;
#ifdef KELVIRA_SHARING
    const QString page = share.start(ClassShare::PlaceAsked(Given.share.host, Given.share.port));
    if (page.isEmpty()) {
        std::fprintf(stderr, "kelvira: cannot share the lesson\n");
        Vexo::PrintLog(QStringLiteral("タブレットで見せられません。"));
        return;
    }
    std::fprintf(stderr, "kelvira: sharing at %s\n", qPrintable(page));
    // The address is longer than a line of the log: its server and its token on lines of
    // their own, nothing of it shortened.
    const int token = static_cast<int>(page.lastIndexOf(QLatin1Char('/'), -2)) + 1;
    Vexo::PrintLog(QStringLiteral("タブレットで見る："));
    Vexo::PrintLog(QStringLiteral("　") + page.left(token));
    Vexo::PrintLog(QStringLiteral("　") + page.mid(token));
#else
    (void)share;
    std::fprintf(stderr, "kelvira: this build cannot share the lesson\n");
#endif
}

}  // namespace

int Run(int argc, char** argv) {
    // Before anything else: --help, --version and a mistake need no display.
    const CommandLine line = ParseCommandLine(ArgumentList(argc, argv));
    if (line.outcome != CommandLine::Outcome::Run) return Answer(line);
    Given = line.options;
    HidePasswords(argc, argv);
    CatchEndSignals();

    // Reading the font configuration takes a few milliseconds of start-up; a second core does
    // it while the connection to the display is made.
    std::thread fonts(ReadFontConfiguration);
    // The arguments are Kelvira's own; Qt is given only the program's name.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvira"));
    QApplication::setApplicationVersion(QStringLiteral(KELVIRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kelvira"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    fonts.join();
    LoadShippedFonts();
    UseGothicByDefault();

    Vexo::SearchConfigFolders(Given.configDir, Given.demo ? ExamplesFolder() : QString());
    DemoBox demo;
    std::unique_ptr<SerialLine> serialLine;
    if (Given.demo) {
        QString error;
        if (!demo.start(GroupName(), error)) {
            std::fprintf(stderr, "kelvira: %s\n", qPrintable(error));
            return 1;
        }
        // The port's name in the log: the box's pty, or the box inside the program.
        Given.port = demo.device().isEmpty() ? QStringLiteral("（デモのざんぽ）") : demo.device();
        serialLine = demo.takeLine();
    }
    if (!serialLine) serialLine = SystemSerialLine();
    Wire();

    Zanpo window([] { return std::make_unique<QtWindowTimer>(); }, std::move(serialLine));
    Vexo::SetTitleMark(Vexo::TitleMark::Demo, Given.demo);
    Vexo::InstallGraphMenu(window);
    InstallTraceIfAsked(window);
    Vexo::Form_Load();
    // A class opened by a class view, joined without its code: the code on the teacher's
    // screen, asked for once.
    Vexo::AskJoinCode = [&window] {
        return QInputDialog::getText(
            &window, QStringLiteral("クラスに さんか"),
            QStringLiteral("先生の がめんの さんかコードを いれてください："));
    };
    // Out of a class, the graph's menu offers those found on the network, the group named as
    // for the class of the command line or the customization file.
    Vexo::JoinOffer.inClass = Vexo::InClass;
    Vexo::JoinOffer.ask = [](QWidget* parent) {
        Vexo::OfferClasses(parent, ClassFind::SystemBrowser(),
                           Given.group.isEmpty() ? Vexo::HanKey : Given.group);
    };
    // The class, once the customization file has been read.
    const QString classError =
        Vexo::JoinClass(Given.classUrl.isEmpty() ? Vexo::KurasuKey : Given.classUrl,
                        Given.group.isEmpty() ? Vexo::HanKey : Given.group, Given.passwordFile,
                        Given.code.isEmpty() ? Vexo::KodeKey : Given.code);
    if (!classError.isEmpty()) std::fprintf(stderr, "kelvira: class: %s\n", qPrintable(classError));
    ShareOwner share(GroupName());
    ShareIfAsked(share);
    TraceShownIfAsked(window);
    WatchEndSignals(Vexo::EndNow, Finish);
    const int code = QApplication::exec();
    Finish();
    return code;
}

}  // namespace App
