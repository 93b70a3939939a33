// What the shared page is told over its WebSocket, JSON text frames:
//   {"t":"class","class":"2-1","groups":[GROUP, ...]}   the class as the view holds it, first
//   {"t":"group", GROUP without "d"}                     a group came, or its state or reading
//   {"t":"ticks","n":"han1","c":"#e6194b","d":[[12,23.5],...],"new":false}
//                                                        ticks of a group, as they come ("new":
//                                                        the group's ticks anew, in place of all)
// where GROUP is {"n":"han1","c":"#e6194b","s":"そくてい中","r":23.5,"d":[[0,23.0],...]}: the
// group's name as the view shows it, its colour, state, reading (null for none) and its ticks
// as [tick, degrees].
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "classlink/class_messages.h"
#include "classview/class_model.h"

namespace ClassShare {

QByteArray ClassSnapshot(const QString& className, const ClassView::ClassModel& model);

// The frames that a message just taken by `model` makes for the page: none, the group's, and
// its ticks.
std::vector<QByteArray> FramesOf(const ClassLink::Message& message,
                                 const ClassView::ClassModel& model);

}  // namespace ClassShare
