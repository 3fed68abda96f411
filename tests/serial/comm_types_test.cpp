#include "serial/comm_types.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(CommTypes, EventMask) {
    EXPECT_EQ(EventMaskFor(0, false), EV_RXCHAR);
    EXPECT_EQ(EventMaskFor(tsRxChar, false), EV_RXCHAR);
    EXPECT_EQ(EventMaskFor(tsTxEmpty | tsCTS | tsRing, false),
              EV_RXCHAR | EV_TXEMPTY | EV_CTS | EV_RING);
    EXPECT_EQ(EventMaskFor(0, true), EV_RXCHAR | EV_TXEMPTY);
    EXPECT_EQ(EventMaskFor(0xFFFF, false) & 0x0200u, 0u);  // EV_PERR is never asked for
    EXPECT_EQ(TraceStatesOf(EV_RXCHAR | EV_TXEMPTY), 0);
    EXPECT_EQ(TraceStatesOf(EV_DSR | EV_EVENT2), tsDSR | tsEvent2);
}

TEST(CommTypes, LineConfigurationBits) {
    struct Case {
        TStreamProtocol protocol;
        bool rs485;
        uint32_t flags;
    };
    const Case cases[] = {
        {TStreamProtocol::spNone, false, 0x1011},
        {TStreamProtocol::spXonXoff, false, 0x1311},
        {TStreamProtocol::spHardware, false, 0x2015},
        {TStreamProtocol::spNone, true, 0x3011},
    };
    for (const Case& c : cases) {
        Dcb dcb;
        dcb.DCBlength = 0;
        dcb.flags = 0xFFFF;  // the bits the default configuration and parity own survive
        ApplyDcbFlags(dcb, c.protocol, c.rs485);
        EXPECT_EQ(dcb.flags, 0x4CEAu | c.flags);
        EXPECT_EQ(dcb.DCBlength, 28u);
        EXPECT_EQ(dcb.XonLim, 80);
        EXPECT_EQ(dcb.XoffLim, 200);
        EXPECT_EQ(dcb.XonChar, 0x11);
        EXPECT_EQ(dcb.XoffChar, 0x13);
    }
}

}  // namespace
}  // namespace quorvel
