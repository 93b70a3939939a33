#include "app/trace.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "platform/window_shown.h"
#include "platform/window_timer.h"
#include "recording/recording.h"
#include "ui/zanpo.h"

namespace {

// How often the widgets are compared with what was last reported.
constexpr int WatchMs = 50;

void Emit(const QString& name, const QString& value) {
    const QByteArray line = (TraceLine(name, value) + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool TraceAsked() {
    return qgetenv("KELVIRA_TRACE") == "1";
}

}  // namespace

QString TraceLine(const QString& name, const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return QStringLiteral("trace ") + name + QLatin1Char(' ') + escaped;
}

void TraceShownIfAsked(Zanpo& window) {
    if (TraceAsked())
        WhenShown(window, [] { Emit(QStringLiteral("Window"), QStringLiteral("shown")); });
}

void InstallTraceIfAsked(Zanpo& window) {
    if (!TraceAsked()) return;

    window.Picture2Surface.printed = [](const QString& text) {
        Emit(QStringLiteral("Picture2"), text);
    };

    using Probe = std::pair<QString, std::function<QString()>>;
    const std::vector<Probe> probes = {
        {QStringLiteral("Text1"), [&window] { return window.Text1->text(); }},
        {QStringLiteral("Label2"), [&window] { return window.Label2->text(); }},
        {QStringLiteral("Label3"), [&window] { return window.Label3->text(); }},
        {QStringLiteral("Start"), [&window] { return window.Start->text(); }},
        {QStringLiteral("DataReset.visible"),
         [&window] { return Flag(window.DataReset->isVisibleTo(&window)); }},
        {QStringLiteral("Text2.visible"),
         [&window] { return Flag(window.Text2->isVisibleTo(&window)); }},
        {QStringLiteral("Text2"), [&window] { return window.Text2->toPlainText(); }},
        {QStringLiteral("Title"), [&window] { return window.windowTitle(); }},
        {QStringLiteral("Recorded"), [] { return QString::number(Vexo::RecordedTicks()); }},
        {QStringLiteral("Polling"), [&window] { return Flag(window.Timer1->running()); }},
    };
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout,
                     [probes, last = std::map<QString, QString>()]() mutable {
                         for (const auto& [name, read] : probes) {
                             const QString now = read();
                             const auto seen = last.find(name);
                             if (seen != last.end() && seen->second == now) continue;
                             last[name] = now;
                             Emit(name, now);
                         }
                     });
    watch->start(WatchMs);
}
