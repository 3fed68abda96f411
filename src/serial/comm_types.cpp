#include "serial/comm_types.h"

namespace quorvel {
namespace {

struct StateEvent {
    TTraceState state;
    uint32_t event;
};

// tsRxChar and tsTxEmpty are handled apart: EV_RXCHAR is always asked for, EV_TXEMPTY is
// never reported as a state.
constexpr StateEvent kStateEvents[] = {
    {tsRxFlag, EV_RXFLAG}, {tsCTS, EV_CTS},       {tsDSR, EV_DSR},   {tsRLSD, EV_RLSD},
    {tsBreak, EV_BREAK},   {tsErr, EV_ERR},       {tsRing, EV_RING}, {tsRx80Full, EV_RX80FULL},
    {tsEvent1, EV_EVENT1}, {tsEvent2, EV_EVENT2},
};

}  // namespace

uint32_t EventMaskFor(TTraceStates states, bool txEmptyForRs485) {
    uint32_t mask = EV_RXCHAR;
    if ((states & tsTxEmpty) || txEmptyForRs485) mask |= EV_TXEMPTY;
    for (const StateEvent& se : kStateEvents) {
        if (states & se.state) mask |= se.event;
    }
    return mask;
}

TTraceStates TraceStatesOf(uint32_t eventMask) {
    TTraceStates states = 0;
    for (const StateEvent& se : kStateEvents) {
        if (eventMask & se.event) states |= se.state;
    }
    return states;
}

void ApplyDcbFlags(Dcb& dcb, TStreamProtocol protocol, bool rs485) {
    dcb.DCBlength = 28;
    dcb.flags &= 0x4CEA;
    if (rs485) {
        dcb.flags |= 0x3011;  // binary, DTR enable, RTS toggle
    } else if (protocol == TStreamProtocol::spNone) {
        dcb.flags |= 0x1011;  // binary, DTR enable, RTS enable
    } else if (protocol == TStreamProtocol::spXonXoff) {
        dcb.flags |= 0x1311;  // and XON/XOFF both ways
    } else {
        dcb.flags |= 0x2015;  // binary, CTS flow, DTR enable, RTS handshake
    }
    dcb.XonLim = 80;
    dcb.XoffLim = 200;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
}

}  // namespace quorvel
