// Which errors of a serial port mean the line is gone for good: the device was unplugged,
// the other side of the line closed, or the driver refuses every further read and write.
#pragma once

#include <QSerialPort>

#include "platform/serial_line.h"

// The fault of a QSerialPort error.
SerialFault FaultOf(QSerialPort::SerialPortError error);

// True for an error after which the open port is of no more use and must be closed.
// NoError (reported routinely after a successful operation) and errors that concern one
// request only (a timeout, an unsupported call) do not end the line.
bool EndsTheLine(QSerialPort::SerialPortError error);
