// A class of 40 groups, each with a lesson of 10 000 ticks (a cup cooling, each a little
// differently), as the class view's benchmarks take it.
#pragma once

#include "classview/class_model.h"

ClassView::ClassModel ClassOfForty();
// The same class as the messages that bring it: status, then every tick, group by group.
std::vector<std::pair<QByteArray, QByteArray>> ClassOfFortyMessages(const QString& className);
