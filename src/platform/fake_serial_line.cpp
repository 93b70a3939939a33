#include "platform/fake_serial_line.h"

void FakeSerialLine::setCommPort(int16_t port) {
    calls.push_back(QStringLiteral("CommPort %1").arg(port));
    commPort = port;
}

void FakeSerialLine::setSettings(const QString& s) {
    calls.push_back(QStringLiteral("Settings ") + s);
    settings = s;
}

void FakeSerialLine::setInputMode(int mode) {
    calls.push_back(QStringLiteral("InputMode %1").arg(mode));
    inputMode = mode;
}

void FakeSerialLine::setSThreshold(int n) {
    calls.push_back(QStringLiteral("SThreshold %1").arg(n));
    sThreshold = n;
}

void FakeSerialLine::setRThreshold(int n) {
    calls.push_back(QStringLiteral("RThreshold %1").arg(n));
    rThreshold = n;
}

bool FakeSerialLine::setPortOpen(bool open) {
    calls.push_back(open ? QStringLiteral("Open") : QStringLiteral("Close"));
    if (open) ++openAttempts;
    if (open && failOpen) {
        error = QStringLiteral("cannot open");
        errorCode = failOpenCode;
        return false;
    }
    open_ = open;
    if (open) pending.clear();  // as the real line: an opening starts with nothing received
    return true;
}

bool FakeSerialLine::output(const QByteArray& bytes) {
    calls.push_back(QStringLiteral("Output ") + QString::fromLatin1(bytes.toHex(' ')));
    if (!open_) return false;
    writes.push_back(bytes);
    return true;
}

QByteArray FakeSerialLine::input() {
    calls.push_back(QStringLiteral("Input"));
    ++reads;
    if (!open_) return {};
    QByteArray all;
    all.swap(pending);
    return all;
}

void FakeSerialLine::lose() {
    open_ = false;
    pending.clear();
    error = QStringLiteral("line lost");
    errorCode = SerialFault::Gone;
}
