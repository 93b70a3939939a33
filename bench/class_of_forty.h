// A class of 40 groups, each with a lesson of 10 000 ticks (a cup cooling, each a little
// differently), as the class view's benchmarks take it.
#pragma once

#include <functional>

#include "classview/class_model.h"

ClassView::ClassModel ClassOfForty();
// The same class as the messages that bring it to a view that comes late, handed to `take`
// one by one: status, then the lesson so far in parts, group by group; its first `ticks`
// ticks only where given.
void ClassOfFortyMessages(const QString& className,
                          const std::function<void(const QByteArray&, const QByteArray&)>& take,
                          int ticks = 10000);
// Tick `tick` of every group of that class, one message a group, handed to `take`: the class
// going on.
void ClassOfFortyTick(const QString& className, int tick,
                      const std::function<void(const QByteArray&, const QByteArray&)>& take);
