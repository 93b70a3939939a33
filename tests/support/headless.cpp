#include "support/headless.h"

#include <QTemporaryDir>

#include "device/device_link.h"
#include "platform/message_box.h"

Headless::Headless() {
    // Lessons started in tests are recorded under a home of the tests' own.
    static QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    Vexo::ResetState();
    Vexo::ResetDevice();
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
