#include "platform/line_end.h"

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
