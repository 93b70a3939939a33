// Joining a class: the group's Kelvira publishes its lesson to the class's MQTT broker, where
// the teacher's class view shows every group. It listens to the lesson events as the
// recording does; it takes no commands from the network and subscribes to nothing. Without a
// class named, nothing here runs and no network is touched.
#pragma once

#include <QString>

namespace Vexo {

// Joins the class at `url` (mqtt://HOST/CLASS, see classlink/class_address.h) as `group`
// (the host's name when empty); an empty `url` joins none. Returns why the address was
// refused, or an empty text. The connection is made in the background; the window's title
// says whether it stands.
QString JoinClass(const QString& url, const QString& group);

// Leaves the class: says goodbye to the broker (tests, and the end of the program).
void LeaveClass();

// How many ticks of this measurement the broker has acknowledged (tests, benchmarks).
int ClassTicksAcknowledged();

}  // namespace Vexo
