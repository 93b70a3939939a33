// The class view's class as the shared page shows it: read from the view's model when a
// browser opens the page, and told to the page's server message by message as the view takes
// them, as far as each changed what the page shows: a group's frame when it differs from the
// one last told, the ticks the message set, the group's ticks anew when its measurement was
// replaced. A message sent again changes nothing and sends nothing. It keeps of each group
// only the measurement and the frame last told. The lesson's steps (the teacher's prediction
// and markers, the class's results) go out whole when they differ from those last told, the
// results no more than once a second.
#pragma once

#include <map>

#include "classlink/class_messages.h"
#include "classshare/feed_frames.h"
#include "classshare/share_server.h"
#include "classshare/shared_lesson.h"
#include "classview/class_model.h"

namespace ClassShare {

class ClassSource : public SharedLesson {
  public:
    // `model` outlives the source.
    ClassSource(const ClassView::ClassModel& model, const QString& className);

    QByteArray classFrame() const override;
    QByteArrayList stepFrames() const override;
    int groups() const override;
    int ticks(int group) const override;
    QByteArray ticksFrame(int group, int from, int count, bool fresh) const override;
    QByteArray csv() const override;
    QString csvName() const override;

    // Tells `server` what a message the model has just taken changed.
    void taken(const ClassLink::Message& message, ShareServer& server);
    // Takes the steps as they stand as told: a server starting now gives each tablet them with
    // its opening.
    void startTelling();
    // Tells `server` the prediction and the markers where they changed since last told.
    void tellSteps(ShareServer& server);
    // Tells `server` the class's results where they changed since last told: called once a
    // second.
    void tellResults(ShareServer& server);

  private:
    GroupShown shown(int group) const;

    struct Told {
        QString measurement;
        QByteArray frame;
    };

    const ClassView::ClassModel& model_;
    QString className_;
    std::map<QString, Told> told_;  // by group
    QByteArray toldPrediction_, toldMarkers_, toldResults_;
};

}  // namespace ClassShare
