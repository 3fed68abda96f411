#include "serial/tsc_comm.h"

#include "serial/port_scan.h"
#include "sim/demo_port.h"

namespace quorvel {

TscCustomSerialComm::TscCustomSerialComm(GuiThread& gui) : TscCustomComm(gui) {
    SetComPort(TComPort::cpCOM1);
    SetBaudRate(19200);
    SetByteSize(8);
    SetParity(TParity::pNone);
    SetStopBits(TStopBits::sbOne);
    SetStreamProtocol(TStreamProtocol::spHardware);
    SetEventChar(0);
}

void TscCustomSerialComm::SetComPortNo(uint16_t value) {
    const bool wasActive = Active();
    SetActive(false);
    fComPortNo = value;
    SetActive(wasActive);
    DoNotify(kListenerChanged);
}

TComPort TscCustomSerialComm::ComPort() const {
    if (fComPortNo >= 1 && fComPortNo <= 8) return static_cast<TComPort>(fComPortNo - 1);
    return TComPort::cpCOMxx;
}

void TscCustomSerialComm::SetComPort(TComPort value) {
    if (value == TComPort::cpCOMxx) return;
    SetComPortNo(static_cast<uint16_t>(static_cast<int>(value) + 1));
}

int TscCustomSerialComm::DeviceIndex() const {
    for (int i = 0; i < DeviceCount(); ++i) {
        if (GetDevice(i)->Data == fComPortNo) return i;
    }
    return -1;
}

void TscCustomSerialComm::SetDeviceIndex(int Value) {
    const TscDevice* device = GetDevice(Value);
    if (device != nullptr) SetComPortNo(static_cast<uint16_t>(device->Data));
}

void TscCustomSerialComm::Update() {
    ClearDeviceList();
    GetDeviceList();
    DoNotify(kListenerChanged);
}

std::string TscCustomSerialComm::ComName() const {
    if (!fPortPath.empty()) return fPortPath;
    const int index = DeviceIndex();
    if (index >= 0) return GetDevice(index)->PortName;
    return "COM" + std::to_string(fComPortNo);
}

DriverOpenResult TscCustomSerialComm::CreateDeviceHandle() {
    const std::string name = ComName();
    if (name == kDemoPortName) return OpenDemoPort();
    return OpenSystemSerialPort(name);
}

void TscCustomSerialComm::DeviceListLoad() {
    for (const ScanEntry& entry : EnumSerialPorts(true)) {
        auto device = std::make_unique<TscDevice>();
        device->NameFriendly = entry.name;
        device->NameDeviceDos = entry.name;
        device->NamePDO = entry.value;
        device->Data = entry.number;
        device->PortName = entry.name;
        AddDevice(std::move(device));
    }
    auto demo = std::make_unique<TscDevice>();
    demo->NameFriendly = kDemoPortName;
    demo->NameDeviceDos = kDemoPortName;
    demo->Data = kDemoPortNumber;
    demo->PortName = kDemoPortName;
    AddDevice(std::move(demo));
}

}  // namespace quorvel
