#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/measurement_set.h"
#include "sim/virtual_module.h"

namespace quorvel {

// Serves a virtual module on a pseudo-terminal: the program under test opens the slave's
// path as its serial port. The module streams at its transmission frequency (or at the
// rate given), answers commands, injects the line faults asked for, and can hang up, which
// makes the port disappear as an unplugged adapter does.
//
// Thread safety: the server runs its own thread; every public call may come from any
// thread.
class PtyModuleServer {
  public:
    struct Options {
        LineFaults faults;
        int rate = -1;            // frames per second; -1 follows the module's code 17
        int uart = -1;            // the module's code 17 at start; -1 keeps the factory value
        uint64_t frameLimit = 0;  // stop streaming after this many frames; 0 = no limit
        bool streaming = true;
        bool answerCommands = true;  // false: a module that has gone deaf
        // Every streamed frame carries these values instead of the module's waveforms.
        std::optional<MeasurementSet> constant;
    };

    explicit PtyModuleServer(Options options);
    ~PtyModuleServer();

    // Creates the pseudo-terminal and starts serving; false with `error` when it cannot.
    bool Start(std::string& error);
    void Stop();
    const std::string& SlavePath() const { return slavePath_; }

    void SetStreaming(bool on) { streaming_.store(on); }
    // Closes the master side: the port is gone for whoever has it open.
    void HangUp();
    // Puts raw bytes on the line, as they are.
    void SendRaw(const std::vector<uint8_t>& bytes);

    // What went out, and every byte the PC sent, in order.
    uint64_t FramesSent();
    uint64_t FramesCorrupted();
    uint64_t BytesSent();
    std::vector<uint8_t> ReceivedBytes();

  private:
    void Serve();
    void WriteAll(const uint8_t* bytes, size_t count);  // with the lock held

    Options options_;
    std::mutex mutex_;
    VirtualModule module_;
    FaultyLine line_;
    int master_ = -1;
    int slaveKeeper_ = -1;  // keeps the line raw and the master readable between clients
    std::string slavePath_;
    std::vector<uint8_t> received_;
    uint64_t bytesSent_ = 0;
    std::atomic<bool> streaming_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace quorvel
