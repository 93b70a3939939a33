// The USB serial adapters of a Windows machine: the serial devices the system lists (the
// class of ports) whose device id names a USB bus, each with its COM port's name.
#include <windows.h>
// After windows.h:
#include <devguid.h>
#include <setupapi.h>

#include "device/port_choice.h"

namespace Vexo {

namespace {

// The value `name` of the device's registry key, as text; empty when it has none.
QString PortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return {};
    wchar_t value[64] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    const bool read = RegQueryValueExW(key, L"PortName", nullptr, &type,
                                       reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    RegCloseKey(key);
    return read ? QString::fromWCharArray(value) : QString();
}

}  // namespace

QList<ListedPort> ListedPorts(const PortPlaces&) {
    QList<ListedPort> ports;
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        wchar_t id[512] = {};
        if (!SetupDiGetDeviceInstanceIdW(devices, &device, id, 511, nullptr)) continue;
        const QString instance = QString::fromWCharArray(id);
        const QString name = PortName(devices, device);
        if (!name.startsWith(QLatin1String("COM"))) continue;  // a printer port, say
        // USB serial adapters sit on the USB bus, or on a maker's bus beneath it (FTDI's).
        const bool usb = instance.startsWith(QLatin1String("USB\\"), Qt::CaseInsensitive) ||
                         instance.startsWith(QLatin1String("FTDIBUS\\"), Qt::CaseInsensitive);
        ports << ListedPort{name, {}, usb, instance};
    }
    SetupDiDestroyDeviceInfoList(devices);
    return ports;
}

QStringList AdapterNames(const PortPlaces& places) {
    QStringList names;
    for (const ListedPort& port : ListedPorts(places))
        if (port.usb) names << port.key + QLatin1Char('=') + port.location;
    return names;
}

}  // namespace Vexo
