#include "classopen/broker_setup.h"

#include <QRegularExpression>
#include <QStringList>

namespace ClassOpen {

QString BrokerConfiguration(const OpenClass& open) {
    QStringList lines{
        QStringLiteral("# The class %1, opened by Kelvira's class view for as long as it is open.")
            .arg(open.className),
        QStringLiteral("per_listener_settings false"),
        QStringLiteral("listener %1%2")
            .arg(open.port)
            .arg(open.host.isEmpty() ? QString() : QLatin1Char(' ') + open.host),
        QStringLiteral("allow_anonymous false"),
        QStringLiteral("plugin ") + open.plugin,
        QStringLiteral("plugin_opt_class ") + open.className,
        QStringLiteral("plugin_opt_code ") + open.code,
        QStringLiteral("plugin_opt_teacher ") + open.teacher,
        // What a group sends at most (a part of its lesson is 7 046 bytes at the most), and
        // what the broker keeps for the teacher's view: as packaging/mosquitto/kelvira.conf.
        QStringLiteral("message_size_limit 8192"),
        QStringLiteral("max_packet_size 8704"),
        QStringLiteral("max_inflight_messages 100"),
        QStringLiteral("max_queued_messages 4000"),
        QStringLiteral("max_queued_bytes 8388608"),
        QStringLiteral("memory_limit 268435456"),
        QStringLiteral("persistence false"),
        QStringLiteral("log_dest stderr"),
        QStringLiteral("log_type error"),
        QStringLiteral("log_type warning"),
        QStringLiteral("log_type notice"),
        QStringLiteral("log_type information"),  // where it says it runs
        QStringLiteral("log_timestamp false"),
        QStringLiteral("connection_messages false"),
    };
    if (!open.user.isEmpty()) lines << QStringLiteral("user ") + open.user;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

std::optional<Refusal> RefusalOfLogLine(const QString& line) {
    static const QRegularExpression refused(QStringLiteral(
        "kelvira-gate: refused (.*): (wrong code|name in use|teacher refused|no name)$"));
    const auto m = refused.match(line.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QString why = m.captured(2);
    Refusal r{m.captured(1), {}};
    if (why == QLatin1String("wrong code"))
        r.why = QStringLiteral("コードがちがいます");
    else if (why == QLatin1String("name in use"))
        r.why = QStringLiteral("同じ名前のグループがもう入っています");
    else if (why == QLatin1String("teacher refused"))
        r.why = QStringLiteral("先生の名前で入ろうとしました");
    else
        r.why = QStringLiteral("グループの名前がありません");
    return r;
}

bool SaysRunning(const QString& line) {
    return line.contains(QLatin1String("mosquitto version")) &&
           line.contains(QLatin1String("running"));
}

bool SaysPortTaken(const QString& line) {
    return line.contains(QLatin1String("Address already in use")) ||
           line.contains(QLatin1String("Only one usage of each socket address"));
}

}  // namespace ClassOpen
