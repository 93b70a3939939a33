#include "platform/fake_serial_line.h"

bool FakeSerialLine::setPortOpen(bool open) {
    if (open && failOpen) {
        error = QStringLiteral("cannot open");
        return false;
    }
    open_ = open;
    return true;
}

bool FakeSerialLine::output(const QByteArray& bytes) {
    if (!open_) return false;
    writes.push_back(bytes);
    return true;
}

QByteArray FakeSerialLine::input() {
    ++reads;
    if (!open_) return {};
    QByteArray all;
    all.swap(pending);
    return all;
}
