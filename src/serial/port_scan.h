#pragma once

#include <string>
#include <vector>

namespace quorvel {

// One serial port found by EnumSerialPorts: its name (COM3, ttyUSB0), what is opened for it
// (the kernel device name of the registry list, or the device path), and its number, the
// key the list is ordered by.
struct ScanEntry {
    std::string name;
    std::string value;
    int number = 0;
};
using ScanList = std::vector<ScanEntry>;

// Keeps the list ordered by number: an entry already there, or a second entry with a number
// already there, is not added.
void InsertPortSorted(ScanList& list, ScanEntry entry);

// One value of the registry's serial device list: its data (COM3, " com12 ") names the port,
// its name is the kernel device. Anything that is not COM followed by a decimal number, and
// a port already listed, is left out.
void AddRegistryPort(ScanList& list, const std::string& valueName, const std::string& data,
                     bool withValueNames);

// The serial ports present. Windows: the values of
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM. Linux: the entries of /sys/class/tty
// that have a device driver (a ttyS only with a real UART), ordered ttyS, ttyUSB, ttyACM,
// the rest by name, each numbered from 1 in that order and opened as /dev/NAME.
ScanList EnumSerialPorts(bool withValueNames);

}  // namespace quorvel
