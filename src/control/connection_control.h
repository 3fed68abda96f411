#pragma once

#include <functional>
#include <string>

#include "link/frame_receiver.h"
#include "link/link_state.h"
#include "link/param_commands.h"
#include "record/csv_recorder.h"
#include "regional/regional_settings.h"
#include "serial/tsc_comm.h"

namespace quorvel {

// What the connection panel and the status bar show of the link.
struct ConnectionView {
    std::string statusPanel = "Rozłączony";  // status bar panel 0
    std::string statusLabel1 = "* * *";      // state
    std::string statusLabel2 = "* * *";      // port
    std::string statusLabel3 = "* * *";      // line settings
    std::string connectCaption = "Połącz";
    bool connectEnabled = false;  // until the port list has been loaded once
    bool deviceBoxEnabled = true;
    bool refreshEnabled = true;
};

// The statistics tick's texts: the frame rate (status bar panel 1 and freq_label) and the
// counters (rx_label, tx_label, error_label).
struct StatisticsView {
    std::string rate;
    std::string rx;
    std::string tx;
    std::string errors;
};

inline constexpr const char* kLineSettings = "115200:8:n:1";

// Opens and closes the link to the module and turns the frame counters into the texts the
// user sees. A port lost while connected (an unplugged adapter) is shown as a disconnect,
// with the recording file closed and everything written so far kept.
//
// Thread safety: GUI thread only, like the receiver and the commands it works with.
class ConnectionControl {
  public:
    ConnectionControl(LinkState& link, FrameReceiver& receiver, TscComm& com,
                      ParamCommands& commands, CsvRecorder& recorder, RegionalSettings regional);
    ~ConnectionControl();
    ConnectionControl(const ConnectionControl&) = delete;
    ConnectionControl& operator=(const ConnectionControl&) = delete;

    // Connects to the port chosen in the port list (whose text is `deviceBoxText`), or
    // disconnects. A port that cannot be opened leaves everything as it was; its message
    // is kept in LastConnectError for whoever wants to tell.
    void ConnectButtonClick(const std::string& deviceBoxText);
    void RefreshPortList();
    StatisticsView DataFreqTimerTimer(double intervalSeconds = 1.0);

    const ConnectionView& View() const { return view_; }
    const std::string& LastConnectError() const { return lastConnectError_; }
    // Called when the link went down by itself (the port was lost).
    std::function<void()> OnLinkLost;

  private:
    void Connect(const std::string& deviceBoxText);
    void Disconnect();

    LinkState& link_;
    FrameReceiver& receiver_;
    TscComm& com_;
    ParamCommands& commands_;
    CsvRecorder& recorder_;
    RegionalSettings regional_;
    ConnectionView view_;
    std::string lastConnectError_;
};

}  // namespace quorvel
