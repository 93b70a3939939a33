// A class opened on this PC by the class view: its own broker started (classopen/), the view
// watching it as the teacher, and the window showing where the groups join and whom the
// broker refused.
#pragma once

#include <QString>

#include "classfind/class_finder.h"
#include "classopen/own_broker.h"
#include "classview/class_window.h"

namespace App {

// Where the opened class listens: every address of the PC and the first free port from 1883,
// unless told (`--open-at=[HOST:]PORT`).
struct OpenPlace {
    QString host;
    int port = 0;  // 0: the first free from 1883
};

// Opens `className` with `broker`, the plugin and the broker's program found from the
// program's folder; false, with `error`, when it cannot. The class is announced on the local
// network with `announcer` (when there is one) while the broker runs, unless it listens on
// this PC alone (`place` a loopback address).
bool OpenClassHere(ClassView::ClassWindow& window, ClassOpen::OwnBroker& broker,
                   const QString& className, const OpenPlace& place, QString& error,
                   ClassFind::ClassAnnouncer* announcer = nullptr);

// Whether a class opened at `place` can be reached from other PCs, and is announced.
bool ReachedFromOthers(const OpenPlace& place);

// What the window shows for the class open at `open` on the PC named `pc`:
// "パソコン：teacher-pc　クラス：2-1　さんかコード：K7P X4R" (the port after the name when it
// is not 1883).
QString JoinText(const QString& pc, const ClassOpen::OpenClass& open);

}  // namespace App
