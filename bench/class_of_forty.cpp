#include "bench/class_of_forty.h"

#include <algorithm>
#include <cmath>

#include "classlink/class_messages.h"

namespace {

constexpr int Groups = 40;
constexpr int Ticks = 10000;

float Degrees(int group, int tick) {
    return static_cast<float>(20 + (40 + group) * std::exp(-tick / (3000.0 + 50 * group)));
}

QString Name(int group) {
    return QStringLiteral("han%1").arg(group + 1);
}

}  // namespace

ClassView::ClassModel ClassOfForty() {
    ClassView::ClassModel model;
    for (int g = 0; g < Groups; ++g) {
        std::vector<float> degrees(Ticks);
        for (int t = 0; t < Ticks; ++t) degrees[t] = Degrees(g, t);
        model.addLesson(Name(g), degrees);
    }
    return model;
}

namespace {

const QString Id = QStringLiteral("2026-12-08T10:00:00");

}  // namespace

void ClassOfFortyMessages(const QString& className,
                          const std::function<void(const QByteArray&, const QByteArray&)>& take,
                          int ticks) {
    for (int g = 0; g < Groups; ++g) {
        take(ClassLink::Topic(className, Name(g), ClassLink::Kind::Status),
             ClassLink::StatusPayload({Name(g), true, true, "liquid", -10, 100, Id, "bench"}));
        std::vector<float> lesson(static_cast<size_t>(std::min(ticks, Ticks)));
        for (size_t t = 0; t < lesson.size(); ++t) lesson[t] = Degrees(g, static_cast<int>(t));
        for (int part = 0; part * ClassLink::LessonPartTicks < static_cast<int>(lesson.size());
             ++part)
            take(ClassLink::Topic(className, Name(g), ClassLink::Kind::Lesson, part),
                 ClassLink::LessonPayload(Id, part, lesson));
    }
}

void ClassOfFortyTick(const QString& className, int tick,
                      const std::function<void(const QByteArray&, const QByteArray&)>& take) {
    for (int g = 0; g < Groups; ++g)
        take(ClassLink::Topic(className, Name(g), ClassLink::Kind::Tick),
             ClassLink::TickPayload({Id, tick, tick / 2.0, Degrees(g, tick), 100}));
}
