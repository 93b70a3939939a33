// The frames of the shared page's feed, one JSON text each, sent as Server-Sent Events:
//   {"t":"class","class":"2-1","alone":false,"groups":[GROUP,...]}  first, on every connection
//   {"t":"group",GROUP}                    a group came, or its state, reading or scale changed
//   {"t":"ticks","n":"han1","from":120,"d":[23.5,null,...],"new":false}
//                                          ticks of a group from tick `from` on (a tick each
//                                          half second; null: none); "new": the group's ticks
//                                          start anew with these
//   {"t":"ready"}                          the lesson so far has all been sent
//   {"t":"prediction","p":[[0,20.5],[30,24],...]}
//                                          the teacher's predicted curve, [seconds, degrees]
//                                          sorted by seconds; []: none
//   {"t":"markers","m":[{"s":125.5,"l":"氷を入れた"},...]}
//                                          every marker, sorted by time; []: none
//   {"t":"results","head":[...],"rows":[[...],...],"mean":[...]}
//                                          the class's results as shown, texts with their
//                                          units; "mean" null when no group holds a tick
// The last three go out right after the class frame on every connection, and again, whole,
// each time what they carry changes.
// where GROUP is {"n":"han1","c":"#e6194b","s":"そくてい中","r":23.5,"k":"きおん","lo":-10,
// "hi":100}: the name as shown, the trace's colour, the state, the reading (null: none), the
// sensor and the scale's range. Degrees go out as the lesson's file writes them, to the
// hundredth and no longer.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace ClassShare {

// The lesson so far goes out in frames of at most this many ticks.
constexpr int TicksPerFrame = 2000;

struct GroupShown {
    QString name;
    QString colour;  // #rrggbb
    QString state;
    std::optional<double> reading;
    QString sensor;
    double low = 0, high = 0;
};

// Degrees to the hundredth, without trailing zeros: "23.5", "-3", "100.25".
QByteArray Degrees(double degrees);

QByteArray GroupJson(const GroupShown& group);  // the object, without braces' neighbours
QByteArray ClassFrame(const QString& className, bool alone, const QByteArray& groupsJson);
QByteArray GroupFrame(const GroupShown& group);
QByteArray ReadyFrame();
// `points` as [seconds, degrees], `markers` as [seconds, label]: each sorted here by time.
QByteArray PredictionFrame(std::vector<std::pair<double, double>> points);
QByteArray MarkersFrame(std::vector<std::pair<double, QString>> markers);
// The results table's texts; without `mean`, "mean" is null.
QByteArray ResultsFrame(const QStringList& head, const std::vector<QStringList>& rows,
                        const std::optional<QStringList>& mean);
// `degreesOf(tick)` gives each tick's degrees, or nothing where there are none.
QByteArray TicksFrame(const QString& name, int from, int count, bool fresh,
                      const std::function<std::optional<double>(int)>& degreesOf);

}  // namespace ClassShare
