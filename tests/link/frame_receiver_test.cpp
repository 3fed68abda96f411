#include "link/frame_receiver.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "link/frame_builder.h"

namespace quorvel {
namespace {

using Bytes = std::vector<uint8_t>;

template <typename Frame>
void Append(Bytes& to, const Frame& frame) {
    to.insert(to.end(), frame.begin(), frame.end());
}

// Keeps every frame it is handed; throws for frames of one chosen code.
class FrameLog final : public FrameHandler {
  public:
    void ProcessFrame(const uint8_t* frame, size_t length) override {
        if (frame[3] == throwOnCode) throw std::runtime_error("field rejected the value");
        frames.emplace_back(frame, frame + length);
    }
    std::vector<Bytes> frames;
    int throwOnCode = -1;
};

struct Link {
    LinkState state;
    FrameLog log;
    FrameReceiver receiver{state, log};

    Link() { state.Connected = true; }
    void Deliver(const Bytes& bytes) {
        receiver.scComAfterReceive(nullptr, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    void DeliverInPieces(const Bytes& bytes, size_t piece) {
        for (size_t i = 0; i < bytes.size(); i += piece) {
            const size_t n = std::min(piece, bytes.size() - i);
            receiver.scComAfterReceive(nullptr, bytes.data() + i, static_cast<uint32_t>(n));
        }
    }
};

const auto kMeasurement = MakeMeasurementFrame(1.25f, 12.0f, 13.25f, -10.75f, 0, 1);
const auto kParam = MakeIntFrame(kTypeRead, 16, 100);

struct StreamCase {
    const char* name;
    std::vector<Bytes> deliveries;
    uint32_t rx;
    uint32_t errors;
    ReceiverState finalState;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes M(kMeasurement.begin(), kMeasurement.end());
const Bytes P(kParam.begin(), kParam.end());

Bytes Corrupted(Bytes frame) {
    frame[frame.size() - 1] ^= 0x5A;
    return frame;
}

Bytes Many(const Bytes& frame, size_t count) {
    Bytes all;
    for (size_t i = 0; i < count; ++i) all.insert(all.end(), frame.begin(), frame.end());
    return all;
}

TEST(FrameReceiver, Streams) {
    const auto typeFe = MakeIntFrame(kTypeWrite, 16, 100);
    const Bytes fe(typeFe.begin(), typeFe.end());
    const Bytes head(M.begin(), M.begin() + 10);
    const StreamCase cases[] = {
        {"three frames in one delivery", {Concat({M, P, M})}, 3, 0, ReceiverState::WaitSync1},
        {"noise and a frame tail before the first frame",
         {Concat({{0x01, 0xFD, 0xFF, 0x00, 0xFE, 0x12}, Bytes(P.begin() + 4, P.end()), M})},
         1,
         0,
         ReceiverState::WaitSync1},
        {"a third FF is not a new start", {Concat({{0xFF}, M})}, 0, 0, ReceiverState::WaitSync1},
        {"FF FF 00 starts over", {Concat({{0xFF, 0xFF, 0x00}, P})}, 1, 0, ReceiverState::WaitSync1},
        {"FF 12 starts over", {Concat({{0xFF, 0x12}, P})}, 1, 0, ReceiverState::WaitSync1},
        {"bad checksum then a good frame",
         {Concat({Corrupted(P), M})},
         1,
         1,
         ReceiverState::WaitSync1},
        {"type FE frames count like others", {fe}, 1, 0, ReceiverState::WaitSync1},
        {"a frame split over deliveries",
         {head, Bytes(M.begin() + 10, M.end())},
         1,
         0,
         ReceiverState::WaitSync1},
        {"a cut frame waits for its bytes", {Concat({M, head})}, 1, 0, ReceiverState::Collect},
        {"1025 bytes are parsed in full",
         {Concat({Many(M, 42), Bytes(17, 0x00)})},
         42,
         0,
         ReceiverState::WaitSync1},
        {"8192 bytes, the component's largest delivery",
         {Concat({Many(M, 341), Bytes(8, 0x00)})},
         341,
         0,
         ReceiverState::WaitSync1},
        {"empty delivery", {Bytes{}}, 0, 0, ReceiverState::WaitSync1},
    };
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        Link link;
        for (const Bytes& delivery : c.deliveries) link.Deliver(delivery);
        EXPECT_EQ(link.state.Stats.RxFrames, c.rx);
        EXPECT_EQ(link.state.Stats.RateFrames, c.rx);
        EXPECT_EQ(link.state.Stats.ErrorFrames, c.errors);
        EXPECT_EQ(link.log.frames.size(), c.rx);
        EXPECT_EQ(link.receiver.RxState(), c.finalState);
    }
}

TEST(FrameReceiver, OneByteAtATimeYieldsOneFrame) {
    Link link;
    link.DeliverInPieces(M, 1);
    ASSERT_EQ(link.log.frames.size(), 1u);
    EXPECT_EQ(link.log.frames[0], M);
    EXPECT_EQ(link.state.Stats.RxFrames, 1u);
    EXPECT_EQ(link.state.Stats.RateFrames, 1u);
}

TEST(FrameReceiver, FramesReachTheHandlerInOrder) {
    Link link;
    const auto other = MakeFloatFrame(kTypeRead, 4, 2.5f);
    const Bytes O(other.begin(), other.end());
    link.DeliverInPieces(Concat({P, M, O}), 7);
    EXPECT_EQ(link.log.frames, (std::vector<Bytes>{P, M, O}));
}

TEST(FrameReceiver, IgnoresEverythingWhileDisconnected) {
    Link link;
    link.Deliver(Bytes(M.begin(), M.begin() + 10));
    const uint32_t pos = link.receiver.FramePos();
    link.state.Connected = false;
    link.Deliver(Concat({M, Corrupted(P)}));
    EXPECT_EQ(link.state.Stats.RxFrames, 0u);
    EXPECT_EQ(link.state.Stats.ErrorFrames, 0u);
    EXPECT_EQ(link.receiver.RxState(), ReceiverState::Collect);
    EXPECT_EQ(link.receiver.FramePos(), pos);
}

TEST(FrameReceiver, ConnectResetForgetsACutFrame) {
    Link link;
    link.Deliver(Bytes(M.begin(), M.begin() + 12));
    link.receiver.Reset();  // disconnect, then connect again
    link.Deliver(M);
    EXPECT_EQ(link.state.Stats.RxFrames, 1u);
    EXPECT_EQ(link.state.Stats.ErrorFrames, 0u);
    ASSERT_EQ(link.log.frames.size(), 1u);
    EXPECT_EQ(link.log.frames[0], M);
}

TEST(FrameReceiver, HandlerErrorDropsTheRestOfTheDelivery) {
    Link link;
    link.log.throwOnCode = 16;
    link.Deliver(Concat({M, P, M}));
    EXPECT_EQ(link.log.frames.size(), 1u);
    EXPECT_EQ(link.state.Stats.RxFrames, 1u);  // the failing frame is not counted
    EXPECT_EQ(link.state.Stats.RateFrames, 1u);
    EXPECT_EQ(link.receiver.RxState(), ReceiverState::WaitSync1);
    link.Deliver(M);  // the next delivery is read normally
    EXPECT_EQ(link.state.Stats.RxFrames, 2u);
}

// A second, independent reading of the frame format: look ahead in the whole stream
// instead of stepping a state machine byte by byte.
struct ModelCounts {
    uint32_t good = 0;
    uint32_t bad = 0;
};

uint16_t BitwiseCrcSwapped(const uint8_t* data, size_t length) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return static_cast<uint16_t>((crc << 8) | (crc >> 8));
}

ModelCounts Model(const Bytes& s) {
    ModelCounts counts;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] != 0xFF) {
            i += 1;
        } else if (i + 1 < s.size() && s[i + 1] != 0xFF) {
            i += 2;
        } else if (i + 2 < s.size() && s[i + 2] != 0xFD && s[i + 2] != 0xFE) {
            i += 3;
        } else if (i + 3 < s.size()) {
            const size_t length = s[i + 3] == 0 ? 24 : 10;
            if (i + length > s.size()) break;
            const uint16_t sent = static_cast<uint16_t>(s[i + length - 2] << 8 | s[i + length - 1]);
            (BitwiseCrcSwapped(&s[i], length - 2) == sent ? counts.good : counts.bad) += 1;
            i += length;
        } else {
            break;
        }
    }
    return counts;
}

TEST(FrameReceiver, AgreesWithAnIndependentModelOnRandomStreams) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        Bytes stream;
        while (stream.size() < 6000) {
            switch (random() % 6) {
                case 0: {
                    const auto f = MakeMeasurementFrame(float(random() % 1000) / 7, 1, 2, 3,
                                                        uint8_t(random()), uint8_t(random()));
                    Append(stream, f);
                    break;
                }
                case 1: {
                    const uint8_t type = random() % 2 ? kTypeRead : kTypeWrite;
                    Append(stream,
                           MakeIntFrame(type, uint8_t(1 + random() % 255), int32_t(random())));
                    break;
                }
                case 2: {  // a corrupted frame: one byte after the sync bytes changed
                    Bytes f = (random() % 2) ? M : P;
                    f[3 + random() % (f.size() - 3)] ^= uint8_t(1 + random() % 255);
                    stream.insert(stream.end(), f.begin(), f.end());
                    break;
                }
                default: {  // noise rich in the bytes that matter to the framing
                    const uint8_t interesting[] = {0xFF, 0xFF, 0xFD, 0xFE, 0x00, 0x42};
                    for (unsigned n = random() % 8; n > 0; --n) {
                        stream.push_back(random() % 3 ? interesting[random() % 6]
                                                      : uint8_t(random()));
                    }
                    break;
                }
            }
        }
        Link link;
        for (size_t i = 0; i < stream.size();) {
            const size_t n =
                std::min<size_t>(1 + random() % (round % 2 ? 8192 : 40), stream.size() - i);
            link.receiver.scComAfterReceive(nullptr, stream.data() + i, uint32_t(n));
            i += n;
        }
        const ModelCounts expected = Model(stream);
        ASSERT_EQ(link.state.Stats.RxFrames, expected.good) << "round " << round;
        ASSERT_EQ(link.state.Stats.ErrorFrames, expected.bad) << "round " << round;
        ASSERT_EQ(link.log.frames.size(), expected.good);
        ASSERT_LE(link.receiver.FramePos(),
                  link.receiver.FrameLength() > 0 ? link.receiver.FrameLength() : 24u);
    }
}

}  // namespace
}  // namespace quorvel
