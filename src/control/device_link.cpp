#include "control/device_link.h"

namespace quorvel {

DeviceLink::DeviceLink(GuiThread& gui, ParamFieldSink& fields, const Clock& clock,
                       const RegionalSettings& regional)
    : recorder(clock, regional),
      com(gui),
      commands(state, *this, regional),
      interpreter(measurements, fields, *this, regional),
      receiver(state, interpreter),
      connection(state, receiver, com, commands, recorder, regional) {
    com.SetBaudRate(115200);
    com.SetByteSize(8);
    com.SetParity(TParity::pNone);
    com.SetStopBits(TStopBits::sbOne);
    com.SetStreamProtocol(TStreamProtocol::spNone);
    com.OnAfterReceive = [this](TscBaseIO* c, const uint8_t* buffer, uint32_t received) {
        receiver.scComAfterReceive(c, buffer, received);
    };
}

void DeviceLink::RecordMeasurement(const MeasurementSet& m) {
    recorder.RecordMeasurement(m);
    if (OnMeasurement) OnMeasurement(m);
}

void DeviceLink::SendData(const uint8_t* data, size_t count) {
    com.SendData(data, static_cast<uint32_t>(count));
}

}  // namespace quorvel
