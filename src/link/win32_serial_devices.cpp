// The serial ports Windows has, as it lists them under
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in COM number order.
#include "link/port_names.h"

#include <windows.h>

#include <algorithm>

namespace rz {

QList<SerialDevice> serialDevices() {
    QList<SerialDevice> devices;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return devices;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        wchar_t data[64];
        DWORD nameLength = 256;
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        SerialDevice device;
        device.path = QString::fromWCharArray(data);
        // The driver's name for it: "\Device\VCP0" (a USB adapter), "\Device\Serial0".
        device.description = QString::fromWCharArray(name, int(nameLength));
        device.usb = !device.description.contains(QLatin1String("\\Serial"));
        if (comNumber(device.path) > 0)
            devices.append(device);
    }
    RegCloseKey(key);
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        return comNumber(a.path) < comNumber(b.path);
    });
    return devices;
}

} // namespace rz
