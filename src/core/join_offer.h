// Joining a class from the graph's menu, a room above the window's: the menu asks for it here,
// and the program fills these in at start-up. Unset, the menu offers no class to join.
#pragma once

#include <functional>

class QWidget;

namespace Vexo {

struct JoinOfferSeam {
    std::function<bool()> inClass;             // whether a class is joined now
    std::function<void(QWidget* parent)> ask;  // offers the classes found, and joins the one chosen
};

extern JoinOfferSeam JoinOffer;

}  // namespace Vexo
