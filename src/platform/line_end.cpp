#include "platform/line_end.h"

SerialFault FaultOf(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::NoError: return SerialFault::None;
        case QSerialPort::DeviceNotFoundError: return SerialFault::NotFound;
        case QSerialPort::PermissionError: return SerialFault::Refused;
        default: return EndsTheLine(error) ? SerialFault::Gone : SerialFault::Other;
    }
}

bool EndsTheLine(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::ResourceError:  // the device went away (EIO, ENXIO, hang-up)
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
            return true;
        default:
            return false;
    }
}
