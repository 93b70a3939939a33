// The secrets of a class opened on this PC, made anew for each class: the join code the
// groups type, and the teacher's own, which the class view alone knows.
#pragma once

#include <QString>

namespace ClassOpen {

// Six letters and digits none of which is taken for another ("0" and "O", "1" and "I" ...),
// e.g. "K7PX4R".
QString MakeJoinCode();
// The code as the window shows it, in two halves: "K7P X4R".
QString CodeShown(const QString& code);
// A secret of 32 letters and digits for the teacher's view.
QString MakeSecret();

}  // namespace ClassOpen
