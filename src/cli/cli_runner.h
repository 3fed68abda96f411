#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "control/device_link.h"
#include "regional/date_time_text.h"
#include "regional/regional_settings.h"
#include "sync/event_loop.h"

namespace quorvel {

// Exit codes of quorvel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;     // usage or an invalid value
inline constexpr int kExitNoPort = 3;    // the port cannot be opened, or was lost
inline constexpr int kExitNoAnswer = 4;  // the module did not answer

// quorvel-cli: the link, the commands and the recorder without a window. Every command
// that opens a port connects exactly as the window does and ends with the line
// "rx=<RxFrames> tx=<TxFrames> err=<ErrorFrames>".
//
// Thread safety: Run runs on the calling thread, which serves as the GUI thread;
// RequestStop may be called from a signal handler.
class CliRunner final : private ParamFieldSink {
  public:
    CliRunner(std::ostream& out, std::ostream& err, RegionalSettings regional, const Clock& clock);
    int Run(const std::vector<std::string>& args);

    // SIGINT and SIGTERM: the command in progress ends as if its time were up.
    static void RequestStop() { stopRequested_.store(true); }

  private:
    int Ports();
    int Monitor(const CliOptions& o);
    int Record(const CliOptions& o);
    int Get(const CliOptions& o);
    int Set(const CliOptions& o);
    int Action(const CliOptions& o);

    // Connects to P, a port list entry or a device path; false (and a message) when the
    // port cannot be opened.
    bool Connect(const std::string& port);
    // Lets what was sent leave, disconnects and prints the counters.
    void Finish();
    // Finish for the commands that stream until the end: a lost port is an error of theirs.
    int FinishStream(const std::string& port);
    // Serves the loop until `done`, the deadline, a stop request or the port's loss.
    void Serve(std::chrono::steady_clock::time_point deadline, const std::function<bool()>& done);

    int ParamDecimals() const override { return decimals_; }
    void ShowParamText(ParamCode code, const std::string& text) override;
    void SelectParamItem(ParamCode code, uint32_t index) override;
    void ShowFirmware(const std::string& text) override;

    std::ostream& out_;
    std::ostream& err_;
    RegionalSettings regional_;
    EventLoop loop_;
    std::unique_ptr<DeviceLink> link_;
    int decimals_ = 2;
    std::map<int, std::string> answers_;  // by code; pcFirmware for the firmware
    bool portLost_ = false;
    std::string portName_;
    static std::atomic<bool> stopRequested_;
};

}  // namespace quorvel
