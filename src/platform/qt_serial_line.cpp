#include "platform/qt_serial_line.h"

#include <QMetaObject>
#include <QStringList>

#include "platform/line_end.h"

QtSerialLine::QtSerialLine(DeviceOf deviceOf) : deviceOf_(std::move(deviceOf)) {
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

void QtSerialLine::setCommPort(int16_t port) {
    port_.setPortName(deviceOf_(port));
}

// "baud,parity,data bits,stop bits", e.g. "9600,N,8,1". Parts that are missing or not
// understood leave that setting as it was.
void QtSerialLine::setSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    bool ok = false;
    const int baud = parts.value(0).trimmed().toInt(&ok);
    if (ok && baud > 0) port_.setBaudRate(baud);
    const QString parity = parts.value(1).trimmed().toUpper();
    if (parity == QLatin1String("N")) port_.setParity(QSerialPort::NoParity);
    if (parity == QLatin1String("E")) port_.setParity(QSerialPort::EvenParity);
    if (parity == QLatin1String("O")) port_.setParity(QSerialPort::OddParity);
    if (parity == QLatin1String("M")) port_.setParity(QSerialPort::MarkParity);
    if (parity == QLatin1String("S")) port_.setParity(QSerialPort::SpaceParity);
    const int bits = parts.value(2).trimmed().toInt(&ok);
    if (ok && bits >= 5 && bits <= 8) port_.setDataBits(static_cast<QSerialPort::DataBits>(bits));
    const QString stop = parts.value(3).trimmed();
    if (stop == QLatin1String("1")) port_.setStopBits(QSerialPort::OneStop);
    if (stop == QLatin1String("1.5")) port_.setStopBits(QSerialPort::OneAndHalfStop);
    if (stop == QLatin1String("2")) port_.setStopBits(QSerialPort::TwoStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialLine::setPortOpen(bool open) {
    if (port_.isOpen()) port_.close();  // also the remains of a lost line
    lost_ = false;
    if (!open) return true;
    if (!port_.open(QIODevice::ReadWrite)) {
        remember(port_.error());
        return false;
    }
    // What the system received before (a box that chattered, answers meant for an earlier
    // opening) would otherwise reach the first read as if it were an answer.
    port_.clear(QSerialPort::Input);
    return true;
}

bool QtSerialLine::output(const QByteArray& bytes) {
    if (!portOpen()) return false;
    if (port_.write(bytes) == bytes.size()) return true;
    remember(port_.error());
    return false;
}

QByteArray QtSerialLine::input() {
    if (!portOpen()) return {};
    return port_.readAll();
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    if (!EndsTheLine(error) || lost_ || !port_.isOpen()) return;
    remember(error);
    lost_ = true;
    // Closing from inside QSerialPort's notification would pull its notifier away under it.
    QMetaObject::invokeMethod(
        &port_,
        [this] {
            if (lost_) port_.close();
        },
        Qt::QueuedConnection);
}

void QtSerialLine::remember(QSerialPort::SerialPortError error) {
    errorCode_ = FaultOf(error);
    error_ = port_.errorString();
}
