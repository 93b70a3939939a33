// A class of 40 groups, each with a lesson of 10 000 ticks (a cup cooling, each a little
// differently), as the class view's benchmarks take it.
#pragma once

#include <functional>

#include "classview/class_model.h"

ClassView::ClassModel ClassOfForty();
// The same class as the messages that bring it, handed to `take` one by one: status, then
// every tick, group by group.
void ClassOfFortyMessages(const QString& className,
                          const std::function<void(const QByteArray&, const QByteArray&)>& take);
