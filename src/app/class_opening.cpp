#include "app/class_opening.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <cstdio>

#include "app/install_layout.h"
#include "classlink/class_address.h"
#include "classopen/join_code.h"

namespace App {

namespace {

constexpr int FirstPort = 1883;
// The system's own broker may hold 1883 (Debian's starts on installing): the next ports then.
constexpr int PortsTried = 10;

QString GatePlugin(const QString& programDir) {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("kelvira_class_gate.dll");
#else
    const QString name = QStringLiteral("kelvira_class_gate.so");
#endif
    // Beside the program in the build; where it is installed otherwise.
    for (const QString& dir : {programDir, QDir(programDir).filePath(KELVIRA_PLUGIN_FROM_BIN)}) {
        const QString path = QDir::cleanPath(QDir(dir).filePath(name));
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

}  // namespace

QString JoinText(const QString& pc, const ClassOpen::OpenClass& open) {
    const QString where =
        open.port == FirstPort ? pc : pc + QLatin1Char(':') + QString::number(open.port);
    return QStringLiteral("パソコン：") + where + QStringLiteral("　クラス：") + open.className +
           QStringLiteral("　さんかコード：") + ClassOpen::CodeShown(open.code);
}

bool ReachedFromOthers(const OpenPlace& place) {
    QString host = place.host.toLower();
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    return !(host == QLatin1String("localhost") || host == QLatin1String("::1") ||
             host.startsWith(QLatin1String("127.")));
}

bool OpenClassHere(ClassView::ClassWindow& window, ClassOpen::OwnBroker& broker,
                   const QString& className, const OpenPlace& place, QString& error,
                   ClassFind::ClassAnnouncer* announcer) {
    if (!ClassLink::IsTopicLevel(className)) {
        error = QStringLiteral("a class's name cannot hold \"/\", \"+\" or \"#\": ") + className;
        return false;
    }
    const QString programDir = QCoreApplication::applicationDirPath();
    ClassOpen::OpenClass open;
    open.className = className;
    open.code = ClassOpen::MakeJoinCode();
    open.teacher = ClassOpen::MakeSecret();
    open.host = place.host;
    open.port = place.port ? place.port : FirstPort;
    open.plugin = GatePlugin(programDir);
    if (open.plugin.isEmpty()) {
        error = QStringLiteral("the class's gate (kelvira_class_gate) is not installed");
        return false;
    }
    broker.refused = [&window](const ClassOpen::Refusal& r) {
        const QString said = (r.group.isEmpty() ? QStringLiteral("？") : r.group) +
                             QStringLiteral("（") + r.why + QStringLiteral("）");
        window.sayRefused(said);
        std::fprintf(stderr, "kelvira-class: refused %s\n", qPrintable(said));
    };
    if (!ReachedFromOthers(place)) announcer = nullptr;
    broker.ended = [&window, announcer] {
        if (announcer) announcer->withdraw();
        window.showJoin(QStringLiteral("クラスのブローカーが止まりました"));
    };
    if (!broker.start(open, ClassOpen::FindBrokerProgram(programDir),
                      place.port ? 1 : PortsTried)) {
        error = broker.error();
        return false;
    }
    if (announcer) announcer->announce(className, broker.open().port);
    window.watch(broker.teacherAddress());
    window.showJoin(JoinText(QSysInfo::machineHostName(), broker.open()));
    return true;
}

}  // namespace App
