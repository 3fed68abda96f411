#pragma once

#include <cstdint>
#include <string>

#include "serial/tsc_custom_comm.h"

namespace quorvel {

// The built-in demo module's entry, last in every port list.
inline constexpr const char* kDemoPortName = "Symulator";
inline constexpr int kDemoPortNumber = 0xFFFF;

// A serial port chosen by number from the device list: COM3 on Windows; on Linux the
// ports are numbered from 1 in list order. The demo module has the highest number.
class TscCustomSerialComm : public TscCustomComm {
  public:
    explicit TscCustomSerialComm(GuiThread& gui);

    uint16_t ComPortNo() const { return fComPortNo; }
    // Closes an open port, takes the number, reopens under the new name, tells listeners.
    void SetComPortNo(uint16_t value);
    TComPort ComPort() const;
    void SetComPort(TComPort value);

    // A device path to open instead of the numbered port (the command line's --port
    // /dev/pts/7 or \\.\COM12); empty returns to the number.
    void SetPortPath(const std::string& path) { fPortPath = path; }

    // The entry of the device list whose number is ComPortNo, or -1.
    int DeviceIndex() const override;
    void SetDeviceIndex(int Value) override;
    // Rebuilds the device list from the system and tells listeners.
    void Update() override;

    std::string ComName() const override;

  protected:
    DriverOpenResult CreateDeviceHandle() override;
    void DeviceListLoad() override;

  private:
    uint16_t fComPortNo = 1;
    std::string fPortPath;
};

// The component the main window and the command line own, configured by them.
class TscComm final : public TscCustomSerialComm {
  public:
    explicit TscComm(GuiThread& gui) : TscCustomSerialComm(gui) {}
};

}  // namespace quorvel
