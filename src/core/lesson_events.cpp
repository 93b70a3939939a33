#include "core/lesson_events.h"

#include <algorithm>
#include <vector>

namespace Vexo {

namespace {

std::vector<LessonListener*>& Listeners() {
    static std::vector<LessonListener*> listeners;
    return listeners;
}

template <typename Event>
void Tell(Event event) {
    for (LessonListener* listener : Listeners()) event(*listener);
}

}  // namespace

void Listen(LessonListener& listener) {
    auto& all = Listeners();
    if (std::find(all.begin(), all.end(), &listener) == all.end()) all.push_back(&listener);
}

void StopListening(LessonListener& listener) {
    auto& all = Listeners();
    all.erase(std::remove(all.begin(), all.end(), &listener), all.end());
}

void TellLessonStarted() {
    Tell([](LessonListener& l) { l.lessonStarted(); });
}

void TellTickRecorded(const RecordedTick& tick) {
    Tell([&tick](LessonListener& l) { l.tickRecorded(tick); });
}

void TellLessonStopped() {
    Tell([](LessonListener& l) { l.lessonStopped(); });
}

void TellLessonErased() {
    Tell([](LessonListener& l) { l.lessonErased(); });
}

void TellReadingTaken(const Reading& reading) {
    Tell([&reading](LessonListener& l) { l.readingTaken(reading); });
}

void TellScaleShown(const ShownScale& scale) {
    Tell([&scale](LessonListener& l) { l.scaleShown(scale); });
}

}  // namespace Vexo
