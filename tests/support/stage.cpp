#include "support/stage.h"

#include "core/window_title.h"
#include "platform/fonts.h"

namespace {

constexpr Colour Grey = RGB(192, 192, 192);
constexpr Colour Black = RGB(0, 0, 0);

}  // namespace

// The surfaces as the main window makes them: inside their sunken borders, in its fonts.
Stage::Stage()
    : picture1(101, 405, Grey, GothicFont(9.75), Black),
      picture2(421, 405, Grey, GothicFont(12), Black) {
    Vexo::ResetState();
    picture1.setSolidFill(RGB(255, 0, 0));
    timer4.setInterval(600);
    timer2.setInterval(600);
    timer3.setInterval(1200);
    Vexo::Readout = this;
    Vexo::Picture1 = &picture1;
    Vexo::Picture2 = &picture2;
    Vexo::Timer1 = &timer1;
    Vexo::Timer2 = &timer2;
    Vexo::Timer3 = &timer3;
    Vexo::Timer4 = &timer4;
    Vexo::MSComm1 = &line;
    title = Vexo::WindowTitleText();
    Vexo::ShowTitle = [this](const QString& shown) { title = shown; };
}

Stage::~Stage() {
    Vexo::Readout = nullptr;
    Vexo::Picture1 = Vexo::Picture2 = nullptr;
    Vexo::Timer1 = Vexo::Timer2 = Vexo::Timer3 = Vexo::Timer4 = nullptr;
    Vexo::MSComm1 = nullptr;
    Vexo::ShowTitle = nullptr;
}

void Stage::showMessage(const QString& text, Colour back, Colour fore) {
    messageShown = true;
    message = text;
    messageBack = back;
    messageFore = fore;
}
