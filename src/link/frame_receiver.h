#pragma once

#include <cstddef>
#include <cstdint>

#include "link/frame_codec.h"
#include "link/link_state.h"

namespace quorvel {

class TscBaseIO;

enum class ReceiverState : uint8_t {
    WaitSync1 = 0,  // first sync byte 0xFF
    WaitSync2 = 1,  // second sync byte 0xFF
    WaitType = 2,   // 0xFD or 0xFE
    WaitCode = 3,   // code byte, which decides the frame length
    Collect = 4,    // the rest of the frame, checksum included
};

// Gives meaning to a frame whose checksum matched. May throw: the receiver catches it.
class FrameHandler {
  public:
    virtual ~FrameHandler() = default;
    virtual void ProcessFrame(const uint8_t* frame, size_t length) = 0;
};

// Turns the byte stream from the port into checked frames. A frame may be split over any
// number of deliveries and a delivery may hold any number of frames; the receiver never
// searches backwards and has no inter-byte timeout.
//
// Thread safety: none needed. Deliveries, the reset on connect and the statistics tick that
// reads the counters all run on the GUI thread.
class FrameReceiver {
  public:
    FrameReceiver(LinkState& link, FrameHandler& handler) : link_(link), handler_(handler) {}

    // The serial component's receive event. `Buffer` is valid only during the call. Every
    // delivery is parsed in full whatever its size: the component may hand over up to its
    // receive buffer (8192 bytes) at once when the GUI thread has fallen behind, and those
    // bytes hold measurements that the recorder must not lose. No error escapes.
    void scComAfterReceive(TscBaseIO* Com, const uint8_t* Buffer, uint32_t Received);

    // Before each attempt to connect: forget any frame cut off by the last disconnect.
    void Reset() { rxState_ = ReceiverState::WaitSync1; }

    ReceiverState RxState() const { return rxState_; }
    uint32_t FramePos() const { return framePos_; }
    uint32_t FrameLength() const { return frameLength_; }
    // The last frame handed to the handler stays here until the next frame overwrites it.
    const uint8_t* FrameBuffer() const { return frameBuffer_; }

  private:
    void FrameComplete();

    LinkState& link_;
    FrameHandler& handler_;
    ReceiverState rxState_ = ReceiverState::WaitSync1;
    uint8_t frameBuffer_[MeasurementFrameLength] = {};
    uint32_t framePos_ = 0;
    uint32_t frameLength_ = 0;
};

}  // namespace quorvel
