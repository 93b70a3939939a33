#include "bench/class_of_forty.h"

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

std::vector<std::pair<QByteArray, QByteArray>> ClassOfFortyMessages(const QString& className) {
    std::vector<std::pair<QByteArray, QByteArray>> messages;
    for (int g = 0; g < Groups; ++g) {
        const QString id = QStringLiteral("2026-12-08T10:00:00");
        messages.push_back({ClassLink::Topic(className, Name(g), ClassLink::Kind::Status),
                            ClassLink::StatusPayload(
                                {Name(g), true, true, "liquid", -10, 100, id, "bench"})});
        for (int t = 0; t < Ticks; ++t)
            messages.push_back({ClassLink::Topic(className, Name(g), ClassLink::Kind::Tick),
                                ClassLink::TickPayload({id, t, t / 2.0, Degrees(g, t), 100})});
    }
    return messages;
}
