// The registry's list of serial devices. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "regional/utf16_win.h"
#include "serial/port_scan.h"

namespace quorvel {

ScanList EnumSerialPorts(bool withValueNames) {
    ScanList list;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS) {
        return list;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[260];
        DWORD nameLength = 260;
        wchar_t data[130];  // 260 bytes
        DWORD dataLength = sizeof data;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr,
                          reinterpret_cast<BYTE*>(data), &dataLength) != ERROR_SUCCESS) {
            break;
        }
        size_t characters = dataLength / sizeof(wchar_t);
        while (characters > 0 && data[characters - 1] == L'\0') --characters;
        AddRegistryPort(list, Narrow(name, nameLength), Narrow(data, characters), withValueNames);
    }
    RegCloseKey(key);
    return list;
}

}  // namespace quorvel
