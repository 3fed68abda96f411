#include "link/frame_receiver.h"

namespace quorvel {

void FrameReceiver::scComAfterReceive(TscBaseIO* /*Com*/, const uint8_t* Buffer,
                                      uint32_t Received) {
    if (!link_.Connected) return;
    for (uint32_t i = 0; i < Received; ++i) {
        const uint8_t b = Buffer[i];
        switch (rxState_) {
            case ReceiverState::WaitSync1:
                if (b == kSyncByte) {
                    frameBuffer_[0] = b;
                    rxState_ = ReceiverState::WaitSync2;
                }
                break;
            case ReceiverState::WaitSync2:
                if (b == kSyncByte) {
                    frameBuffer_[1] = b;
                    rxState_ = ReceiverState::WaitType;
                } else {
                    rxState_ = ReceiverState::WaitSync1;
                }
                break;
            case ReceiverState::WaitType:
                // A third 0xFF is not taken as a new first sync byte.
                if (b == kTypeRead || b == kTypeWrite) {
                    frameBuffer_[2] = b;
                    framePos_ = 3;
                    rxState_ = ReceiverState::WaitCode;
                } else {
                    rxState_ = ReceiverState::WaitSync1;
                }
                break;
            case ReceiverState::WaitCode:
                frameBuffer_[3] = b;
                framePos_ = 4;
                frameLength_ = static_cast<uint32_t>(ReceivedFrameLength(b));
                rxState_ = ReceiverState::Collect;
                break;
            case ReceiverState::Collect:
                frameBuffer_[framePos_++] = b;
                if (framePos_ == frameLength_) {
                    try {
                        FrameComplete();
                    } catch (...) {
                        // A failing handler costs the rest of this delivery, never the
                        // receiver's consistency.
                        rxState_ = ReceiverState::WaitSync1;
                        return;
                    }
                }
                break;
        }
    }
}

void FrameReceiver::FrameComplete() {
    const auto bodyLength = static_cast<uint16_t>(framePos_ - 2);
    const uint16_t computed = ComputeCrc(frameBuffer_, bodyLength);
    const auto received =
        static_cast<uint16_t>(frameBuffer_[bodyLength] << 8 | frameBuffer_[bodyLength + 1]);
    if (computed == received) {
        handler_.ProcessFrame(frameBuffer_, framePos_);
        ++link_.Stats.RateFrames;
        rxState_ = ReceiverState::WaitSync1;
        ++link_.Stats.RxFrames;
    } else {
        rxState_ = ReceiverState::WaitSync1;
        ++link_.Stats.ErrorFrames;
    }
}

}  // namespace quorvel
