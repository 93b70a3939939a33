#include "platform/com_line.h"

namespace {

// The system's error numbers, as winerror.h gives them.
enum : unsigned long {
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5,
    InvalidHandle = 6,
    NotReady = 21,
    BadCommand = 22,
    GenFailure = 31,
    SharingViolation = 32,
    NoSuchDevice = 433,
    IoDevice = 1117,
    DeviceNotConnected = 1167,
    DeviceRemoved = 1617,
};

}  // namespace

SerialFault ComFault(unsigned long error) {
    switch (error) {
        case 0: return SerialFault::None;
        case FileNotFound:
        case PathNotFound:
        case NoSuchDevice: return SerialFault::NotFound;
        case SharingViolation: return SerialFault::Refused;
        default: return ComEndsTheLine(error) ? SerialFault::Gone : SerialFault::Other;
    }
}

bool ComEndsTheLine(unsigned long error) {
    switch (error) {
        // A USB serial adapter pulled out: its handle answers access denied or a device error
        // to every call from then on.
        case AccessDenied:
        case InvalidHandle:
        case NotReady:
        case BadCommand:
        case GenFailure:
        case NoSuchDevice:
        case IoDevice:
        case DeviceNotConnected:
        case DeviceRemoved: return true;
        default: return false;
    }
}

QString ComDeviceName(const QString& name) {
    return name.startsWith(QLatin1String("\\\\")) ? name : QStringLiteral("\\\\.\\") + name;
}
