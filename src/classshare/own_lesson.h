// Kelvira's own lesson as the shared page shows it: one group, shown large (its read-out, its
// sensor, a thermometer column and the graph). The ticks are read where the lesson is held
// (core/lesson.h); what else the page shows comes with the lesson events, and the source keeps
// only the latest of it and how many ticks it has told. The page gets the lesson's results as
// the class view shows a group's (classview/results_table.h), once a second when they changed,
// and neither prediction nor markers, which are set in the class view.
#pragma once

#include <QString>
#include <QTimer>
#include <optional>

#include "classshare/feed_frames.h"
#include "classshare/shared_lesson.h"
#include "core/lesson.h"
#include "core/lesson_events.h"

namespace ClassShare {

class ShareServer;

class OwnLesson : public SharedLesson, public Vexo::LessonListener {
  public:
    // The group `name`'s lesson `lesson`, measuring or not, shown on `scale` with the reading
    // `reading` (none before the box has answered); `csvName` names its file.
    OwnLesson(const QString& name, const Vexo::LessonRecord& lesson, const Vexo::ShownScale& scale,
              bool measuring, std::optional<double> reading, const QString& csvName);

    // The server told of each change; none: nothing is told.
    void tell(ShareServer* server);

    QByteArray classFrame() const override;
    QByteArrayList stepFrames() const override;
    int groups() const override { return 1; }
    int ticks(int group) const override;
    QByteArray ticksFrame(int group, int from, int count, bool fresh) const override;
    QByteArray csv() const override;
    QString csvName() const override { return csvName_; }

    void lessonStarted() override;
    void tickRecorded(const Vexo::RecordedTick& tick) override;
    void lessonStopped() override;
    void lessonErased() override;
    void readingTaken(const Vexo::Reading& reading) override;
    void scaleShown(const Vexo::ShownScale& scale) override;

  private:
    GroupShown shown() const;
    void tellGroup();
    QByteArray resultsFrame() const;
    void tellResults();

    QString name_;
    Vexo::LessonRecord lesson_;
    Vexo::ShownScale scale_;
    bool measuring_;
    std::optional<double> reading_;
    QString csvName_;
    ShareServer* server_ = nullptr;
    int told_ = 0;  // ticks told so far
    QByteArray toldResults_;
    QTimer results_;  // once a second while a server is told
};

}  // namespace ClassShare
