#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

enum class TParity : uint8_t { pNone, pOdd, pEven, pMark, pSpace };
enum class TStopBits : uint8_t { sbOne, sbOneAndHalf, sbTwo };
enum class TStreamProtocol : uint8_t { spNone, spXonXoff, spHardware };
enum class TComPort : uint8_t {
    cpCOM1,
    cpCOM2,
    cpCOM3,
    cpCOM4,
    cpCOM5,
    cpCOM6,
    cpCOM7,
    cpCOM8,
    cpCOMxx
};

// Port events, numbered as the Windows communication events; where <windows.h> came first
// they are its macros already, with the same values.
#ifndef EV_RXCHAR
inline constexpr uint32_t EV_RXCHAR = 0x0001;
inline constexpr uint32_t EV_RXFLAG = 0x0002;
inline constexpr uint32_t EV_TXEMPTY = 0x0004;
inline constexpr uint32_t EV_CTS = 0x0008;
inline constexpr uint32_t EV_DSR = 0x0010;
inline constexpr uint32_t EV_RLSD = 0x0020;
inline constexpr uint32_t EV_BREAK = 0x0040;
inline constexpr uint32_t EV_ERR = 0x0080;
inline constexpr uint32_t EV_RING = 0x0100;
inline constexpr uint32_t EV_RX80FULL = 0x0400;
inline constexpr uint32_t EV_EVENT1 = 0x0800;
inline constexpr uint32_t EV_EVENT2 = 0x1000;
#endif

// Line errors as ClearCommError reports them; all five at once means the port is gone.
inline constexpr uint32_t kPortLostErrors = 31;

// The line events a component watches and reports, a set of these bits.
enum TTraceState : uint16_t {
    tsRxChar = 1 << 0,
    tsRxFlag = 1 << 1,
    tsTxEmpty = 1 << 2,
    tsCTS = 1 << 3,
    tsDSR = 1 << 4,
    tsRLSD = 1 << 5,
    tsBreak = 1 << 6,
    tsErr = 1 << 7,
    tsRing = 1 << 8,
    tsRx80Full = 1 << 9,
    tsEvent1 = 1 << 10,
    tsEvent2 = 1 << 11,
};
using TTraceStates = uint16_t;

// The event mask asked of the port: EV_RXCHAR always, and one bit per watched state.
uint32_t EventMaskFor(TTraceStates states, bool txEmptyForRs485);
// The reportable states of an event (EV_RXCHAR and EV_TXEMPTY are not among them).
TTraceStates TraceStatesOf(uint32_t eventMask);

// The port's line configuration, with the fields and flag bits of the Windows DCB.
struct Dcb {
    static constexpr uint32_t fBinary = 0x0001;
    static constexpr uint32_t fParity = 0x0002;
    static constexpr uint32_t fOutxCtsFlow = 0x0004;
    static constexpr uint32_t fOutxDsrFlow = 0x0008;
    static constexpr uint32_t fDtrControlMask = 0x0030;
    static constexpr uint32_t fOutX = 0x0100;
    static constexpr uint32_t fInX = 0x0200;
    static constexpr uint32_t fRtsControlMask = 0x3000;

    uint32_t DCBlength = 28;
    uint32_t BaudRate = 0;
    uint32_t flags = 0;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 0;
    uint8_t Parity = 0;
    uint8_t StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
};

// Brings the flow-control bits and the XON/XOFF settings of `dcb` in line with the
// protocol; the bits the default configuration and the parity writer own are kept.
void ApplyDcbFlags(Dcb& dcb, TStreamProtocol protocol, bool rs485);

// COMMTIMEOUTS: only the two the component sets.
struct CommTimeouts {
    uint32_t ReadIntervalTimeout = 0;
    uint32_t WriteTotalTimeoutConstant = 0;
};

// What ClearCommError tells: the error bits, the hold and state bits, and how many bytes
// wait in the driver's input and output queues.
struct CommStat {
    uint32_t errors = 0;
    uint8_t state = 0;
    uint32_t inQueue = 0;
    uint32_t outQueue = 0;
};

}  // namespace quorvel
