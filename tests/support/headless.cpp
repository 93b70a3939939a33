#include "support/headless.h"

#include "platform/message_box.h"

Headless::Headless() {
    Vexo::ResetState();
    auto fake = std::make_unique<FakeSerialLine>();
    line = fake.get();
    window =
        std::make_unique<Zanpo>([] { return std::make_unique<WindowTimer>(); }, std::move(fake));
    EndProgram = [this] { ++endRequests; };
}

Headless::~Headless() {
    SetMsgBoxHandler({});
    window.reset();
}
