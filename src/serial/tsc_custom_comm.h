#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "serial/comm_threads.h"
#include "serial/comm_types.h"
#include "serial/serial_driver.h"
#include "serial/tsc_base_io.h"
#include "sync/gui_thread.h"

namespace quorvel {

using TOnSent = std::function<void(TscBaseIO* Com)>;
using TOnTraceEvent = std::function<void(TscBaseIO* Com, TTraceStates Event)>;
using TOnCommErrorEvent = std::function<void(TscBaseIO* Com, uint32_t CommCode, uint32_t SysError,
                                             uint8_t State, bool& flFlashBuffers)>;

// A communication port: line settings, buffers, time-outs, the two worker threads, sending
// and receiving.
//
// Thread safety: every operation is called on the GUI thread. While the port is open the
// comm event thread waits for port events and queues them, and the message thread has the
// GUI thread process each one (ProcessCommEvent) and waits for it; so OnAfterReceive and
// the other events run on the GUI thread, one at a time, never beside an operation. The
// worker threads read only IsHandleValid. Closing waits for them while serving the
// synchronous calls, so it never deadlocks and no delivery follows once Active reads false.
class TscCustomComm : public TscBaseIO {
  public:
    explicit TscCustomComm(GuiThread& gui);
    ~TscCustomComm() override;

    bool Active() const { return IsHandleValid(); }
    void SetActive(bool value);  // true may raise EComponentError; false never raises
    bool IsHandleValid() const { return handleValid_.load(); }

    uint32_t BaudRate() const { return CommCfg.BaudRate; }
    void SetBaudRate(uint32_t value);
    TParity Parity() const { return static_cast<TParity>(CommCfg.Parity); }
    void SetParity(TParity value);
    TStopBits StopBits() const { return static_cast<TStopBits>(CommCfg.StopBits); }
    void SetStopBits(TStopBits value);
    uint8_t ByteSize() const { return CommCfg.ByteSize; }
    void SetByteSize(uint8_t value);  // outside 4..8 stores 8
    char EventChar() const { return CommCfg.EvtChar; }
    void SetEventChar(char value);
    TStreamProtocol StreamProtocol() const { return fProtocol; }
    void SetStreamProtocol(TStreamProtocol value);
    bool RS485Mode() const { return fRS485Mode; }
    void SetRS485Mode(bool value);
    const Dcb& LineConfig() const { return CommCfg; }

    uint16_t BufferInSize() const { return fBufferInSize; }
    void SetBufferInSize(uint16_t value);
    uint16_t BufferOutSize() const { return fBufferOutSize; }
    void SetBufferOutSize(uint16_t value);
    uint32_t TimeoutRead() const { return fCommTimeouts.ReadIntervalTimeout; }
    void SetTimeoutRead(uint32_t value);
    uint32_t TimeoutWrite() const { return fCommTimeouts.WriteTotalTimeoutConstant; }
    void SetTimeoutWrite(uint32_t value);
    TTraceStates TraceStates() const { return fTraceStates; }
    void SetTraceStates(TTraceStates value);
    uint32_t EventMask() const;
    bool UseMainThread() const { return fUseMainThread.load(); }
    void SetUseMainThread(bool value) { fUseMainThread.store(value); }

    // Starts sending N bytes and returns at once; nothing happens on a closed port.
    void SendData(const uint8_t* Buff, uint32_t N);

    virtual std::string ComName() const { return "Unknown"; }
    const std::string& LastErrorString() const { return fLastErrorString; }
    uint32_t ReadyForRead();
    uint32_t NotYetSend();
    uint32_t TotalReceived() const { return fTotalReceived; }
    uint32_t TotalSent() const { return fTotalSent; }
    size_t ReceiveBufferSize() const { return glBuffer.size(); }

    TOnSent OnAfterSend;
    TOnTraceEvent OnTraceState;
    TOnCommErrorEvent OnCommError;

    // Run on the GUI thread for every queued event (see the class comment).
    void ProcessCommEvent(const CommEvent& event);

  protected:
    virtual DriverOpenResult CreateDeviceHandle() = 0;

    void DoOpen();
    void DoClose();
    // Releases the port; `Purge` drops what is still queued for sending. Without it, this
    // is the close after the port was lost.
    void CloseDevice(bool Purge);
    void StartThreads();
    void StopThreads();
    void DoCommError(uint32_t CommCode, uint32_t SysError, uint8_t State);
    void DoTraceState(TTraceStates states);

    GuiThread& gui_;

  private:
    void ApplyDcb();
    void ApplyTimeouts();
    void ClearDeviceBuffers();

    std::unique_ptr<SerialDriver> fDevice;  // the open port, until its threads are gone
    std::atomic<bool> handleValid_{false};
    Dcb CommCfg;
    TStreamProtocol fProtocol = TStreamProtocol::spHardware;
    bool fRS485Mode = false;
    uint16_t fBufferInSize = 8192;
    uint16_t fBufferOutSize = 8192;
    CommTimeouts fCommTimeouts;
    TTraceStates fTraceStates = 0;
    std::atomic<bool> fUseMainThread{true};
    std::string fLastErrorString;
    uint32_t fTotalReceived = 0;
    uint32_t fTotalSent = 0;
    std::vector<uint8_t> glBuffer;  // receive buffer, allocated at every open
    CommStat Stat;

    CommEventQueue queue_;
    std::unique_ptr<TMsgThread> MsgThread;
    std::unique_ptr<TCommThread> CommThread;
    int processing_ = 0;  // ProcessCommEvent calls in progress
};

}  // namespace quorvel
