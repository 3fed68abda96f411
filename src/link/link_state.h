#pragma once

#include <cstdint>

namespace quorvel {

// Frame counters of one link. They count for the whole run, across connects and
// disconnects, and wrap around at 2^32.
struct LinkStats {
    uint32_t RxFrames = 0;     // frames with a good checksum
    uint32_t TxFrames = 0;     // frames handed to the port
    uint32_t ErrorFrames = 0;  // checksum mismatches
    uint32_t RateFrames = 0;   // good frames since the last statistics tick
    float FrameRate = 0;       // good frames per second at the last statistics tick
};

// What the receiver, the commands and the display share about one link. Touched on the GUI
// thread only.
struct LinkState {
    bool Connected = false;  // between a successful connect and the next disconnect
    LinkStats Stats;
};

}  // namespace quorvel
