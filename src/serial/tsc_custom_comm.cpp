#include "serial/tsc_custom_comm.h"

#include <algorithm>

namespace quorvel {

TscCustomComm::TscCustomComm(GuiThread& gui) : gui_(gui) {
    // Settings no property sets come from the system's default configuration of COM1.
    LoadDefaultLineConfig(CommCfg);
    CommCfg.DCBlength = 28;
}

TscCustomComm::~TscCustomComm() {
    OnTraceState = nullptr;
    DoClose();
    StopThreads();
}

void TscCustomComm::SetActive(bool value) {
    if (value == Active()) return;
    if (value) {
        DoOpen();
    } else {
        DoClose();
    }
}

void TscCustomComm::DoOpen() {
    DoClose();
    fTotalReceived = 0;
    fTotalSent = 0;
    DriverOpenResult opened = CreateDeviceHandle();
    if (!opened.driver) {
        fLastErrorString = "Device \"" + ComName() + "\" Open Error !!!\r" + opened.errorText;
        DoFatalError(1, 0, false, fLastErrorString);
        return;
    }
    fDevice = std::move(opened.driver);
    handleValid_.store(true);
    if (OnOpen) {
        try {
            OnOpen(this);
        } catch (...) {
        }
    }
    glBuffer.assign(std::max<size_t>(fBufferInSize, 8192), 0);
    CommStat cleared;
    fDevice->ClearError(cleared);
    fDevice->Setup(CommCfg, fBufferInSize, fBufferOutSize, fCommTimeouts);
    SetTraceStates(fTraceStates);
    // The queue exists before either thread, so an event that comes at once is kept: no
    // pause is needed for the threads to get going.
    StartThreads();
    DoNotify(kListenerOpened);
}

void TscCustomComm::DoClose() {
    if (IsHandleValid()) {
        try {
            CloseDevice(true);
        } catch (...) {
            handleValid_.store(false);
            if (fDevice) fDevice->Close();
        }
    }
    // Also the threads left over from a lost port: they have ended or are about to.
    StopThreads();
    DoTraceState(tsTxEmpty);
}

void TscCustomComm::CloseDevice(bool Purge) {
    if (Purge && NotYetSend() > 0) ClearDeviceBuffers();
    glBuffer.clear();
    glBuffer.shrink_to_fit();
    handleValid_.store(false);
    if (fDevice) fDevice->Close();
    if (OnClose) {
        try {
            OnClose(this);
        } catch (...) {
        }
    }
    DoNotify(kListenerClosed);
}

void TscCustomComm::StartThreads() {
    StopThreads();
    MsgThread = std::make_unique<TMsgThread>(*this, queue_, gui_);
    CommThread = std::make_unique<TCommThread>(*this, *fDevice, queue_, gui_);
}

void TscCustomComm::StopThreads() {
    if (CommThread) CommThread->Terminate();
    if (MsgThread) MsgThread->Terminate();
    // Inside ProcessCommEvent the message thread is waiting for this very call: it ends
    // by itself once the call returns, and is joined at the next open, close or at the end.
    if (processing_ > 0) return;
    CommThread.reset();  // first, so it never queues for a message thread that is gone
    MsgThread.reset();
    queue_.Clear();
    if (!IsHandleValid()) fDevice.reset();
}

void TscCustomComm::ProcessCommEvent(const CommEvent& event) {
    if (!IsHandleValid()) return;  // queued before the port was closed
    ++processing_;
    try {
        if (event.kind == CommEvent::Lost) {
            CloseDevice(false);
        } else if (!fDevice->ClearError(Stat)) {
            // the port can no longer be asked: the event is dropped
        } else if (Stat.errors == kPortLostErrors) {
            CloseDevice(false);
        } else if (Stat.errors != 0) {
            DoCommError(Stat.errors, 0, Stat.state);
        } else {
            if ((event.mask & EV_RXCHAR) && Stat.inQueue > 0) {
                if (HasReceiver() || (fTraceStates & tsRxChar)) {
                    do {
                        const auto n =
                            static_cast<uint32_t>(std::min<size_t>(Stat.inQueue, glBuffer.size()));
                        if (!fDevice->Read(glBuffer.data(), n)) break;
                        fTotalReceived += n;
                        DoReceive(glBuffer.data(), n);
                        // The handler may have closed the port.
                        if (!IsHandleValid() || !fDevice->ClearError(Stat)) break;
                    } while (Stat.inQueue > 0);
                } else {
                    fDevice->Purge();  // nobody to hand the bytes to
                }
            }
            if ((event.mask & EV_TXEMPTY) && (fTraceStates & tsTxEmpty) && OnAfterSend) {
                OnAfterSend(this);
            }
            const TTraceStates states = TraceStatesOf(event.mask);
            if (states != 0) DoTraceState(states);
        }
    } catch (const std::exception& e) {
        DoFatalError(1, 0, true, e.what());
    }
    if (IsHandleValid()) fDevice->InputDrained();
    --processing_;
}

void TscCustomComm::SendData(const uint8_t* Buff, uint32_t N) {
    if (!IsHandleValid()) return;
    uint32_t error = 0;
    if (fDevice->WriteNoWait(Buff, N, error)) {
        fTotalSent += N;
    } else {
        DoCommError(0, error, 0);
    }
}

uint32_t TscCustomComm::ReadyForRead() {
    CommStat stat;
    return IsHandleValid() && fDevice->ClearError(stat) ? stat.inQueue : 0;
}

uint32_t TscCustomComm::NotYetSend() {
    CommStat stat;
    return IsHandleValid() && fDevice->ClearError(stat) ? stat.outQueue : 0;
}

void TscCustomComm::ClearDeviceBuffers() {
    if (IsHandleValid()) fDevice->Purge();
}

void TscCustomComm::DoCommError(uint32_t CommCode, uint32_t SysError, uint8_t State) {
    bool flush = false;
    if (OnCommError) OnCommError(this, CommCode, SysError, State, flush);
    if (flush) ClearDeviceBuffers();
}

void TscCustomComm::DoTraceState(TTraceStates states) {
    if (OnTraceState) OnTraceState(this, states);
}

void TscCustomComm::ApplyDcb() {
    ApplyDcbFlags(CommCfg, fProtocol, fRS485Mode);
    if (IsHandleValid()) fDevice->SetLine(CommCfg);
}

void TscCustomComm::ApplyTimeouts() {
    if (IsHandleValid()) fDevice->SetTimeouts(fCommTimeouts);
}

void TscCustomComm::SetBaudRate(uint32_t value) {
    CommCfg.BaudRate = value;
    ApplyDcb();
}

void TscCustomComm::SetParity(TParity value) {
    CommCfg.Parity = static_cast<uint8_t>(value);
    if (value == TParity::pNone) {
        CommCfg.flags &= ~Dcb::fParity;
    } else {
        CommCfg.flags |= Dcb::fParity;
    }
    ApplyDcb();
}

void TscCustomComm::SetStopBits(TStopBits value) {
    CommCfg.StopBits = static_cast<uint8_t>(value);
    ApplyDcb();
}

void TscCustomComm::SetByteSize(uint8_t value) {
    CommCfg.ByteSize = (value < 4 || value > 8) ? 8 : value;
    ApplyDcb();
}

void TscCustomComm::SetEventChar(char value) {
    CommCfg.EvtChar = value;
    ApplyDcb();
}

void TscCustomComm::SetStreamProtocol(TStreamProtocol value) {
    fProtocol = value;
    ApplyDcb();
}

void TscCustomComm::SetRS485Mode(bool value) {
    fRS485Mode = value;
    ApplyDcb();
}

void TscCustomComm::SetBufferInSize(uint16_t value) {
    fBufferInSize = value;
    if (IsHandleValid()) fDevice->SetBufferSizes(fBufferInSize, fBufferOutSize);
}

void TscCustomComm::SetBufferOutSize(uint16_t value) {
    fBufferOutSize = value;
    if (IsHandleValid()) fDevice->SetBufferSizes(fBufferInSize, fBufferOutSize);
}

void TscCustomComm::SetTimeoutRead(uint32_t value) {
    fCommTimeouts.ReadIntervalTimeout = value;
    ApplyTimeouts();
}

void TscCustomComm::SetTimeoutWrite(uint32_t value) {
    fCommTimeouts.WriteTotalTimeoutConstant = value;
    ApplyTimeouts();
}

uint32_t TscCustomComm::EventMask() const {
    // RS-485 direction switching is the driver's on every supported system: no TXEMPTY.
    return EventMaskFor(fTraceStates, false);
}

void TscCustomComm::SetTraceStates(TTraceStates value) {
    fTraceStates = value;
    if (IsHandleValid()) fDevice->SetEventMask(EventMask());
}

}  // namespace quorvel
