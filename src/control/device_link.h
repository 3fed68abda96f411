#pragma once

#include <functional>

#include "control/connection_control.h"
#include "link/frame_interpreter.h"
#include "link/frame_receiver.h"
#include "link/link_state.h"
#include "link/measurement_set.h"
#include "link/param_commands.h"
#include "record/csv_recorder.h"
#include "regional/date_time_text.h"
#include "serial/tsc_comm.h"
#include "sync/gui_thread.h"

namespace quorvel {

// Everything one link to a module consists of, wired together: the port, the receiver and
// interpreter, the measurement set, the recorder, the commands and the connection control.
// The main window owns one, and so does the command line. The port is set up for the
// module's line: 115200 baud, 8 data bits, no parity, one stop bit, no flow control.
//
// Thread safety: GUI thread only (see TscComm for the port's worker threads).
class DeviceLink : private MeasurementRecorder, private Transmitter {
  public:
    DeviceLink(GuiThread& gui, ParamFieldSink& fields, const Clock& clock,
               const RegionalSettings& regional);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    LinkState state;
    MeasurementSet measurements;
    CsvRecorder recorder;
    TscComm com;
    ParamCommands commands;
    FrameInterpreter interpreter;
    FrameReceiver receiver;
    ConnectionControl connection;

    // Called after each measurement has been recorded.
    std::function<void(const MeasurementSet&)> OnMeasurement;

  private:
    void RecordMeasurement(const MeasurementSet& m) override;
    void SendData(const uint8_t* data, size_t count) override;
};

}  // namespace quorvel
