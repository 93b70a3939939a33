#include "platform/qt_serial_line.h"

QtSerialLine::QtSerialLine() = default;

void QtSerialLine::setCommPort(int16_t port) { port_.setPortName(PortDeviceName(port)); }

void QtSerialLine::setSettings(const QString&) {
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setParity(QSerialPort::NoParity);
    port_.setDataBits(QSerialPort::Data8);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialLine::setPortOpen(bool open) {
    if (!open) {
        port_.close();
        return true;
    }
    if (port_.open(QIODevice::ReadWrite)) return true;
    error_ = port_.errorString();
    return false;
}

bool QtSerialLine::output(const QByteArray& bytes) {
    if (!port_.isOpen()) return false;
    return port_.write(bytes) == bytes.size();
}

QByteArray QtSerialLine::input() {
    if (!port_.isOpen()) return {};
    return port_.readAll();
}
