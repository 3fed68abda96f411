#include "link/frame_codec.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "link/frame_builder.h"

namespace quorvel {
namespace {

using Bytes = std::vector<uint8_t>;

template <typename Frame>
Bytes ToBytes(const Frame& frame) {
    return Bytes(frame.begin(), frame.end());
}

TEST(FrameCodec, WorkedFrames) {
    EXPECT_EQ(ToBytes(MakeReadRequest(0)), (Bytes{0xFF, 0xFF, 0xFD, 0x00, 0x40, 0x90}));
    EXPECT_EQ(ToBytes(MakeReadRequest(24)), (Bytes{0xFF, 0xFF, 0xFD, 0x18, 0x40, 0x9A}));
    EXPECT_EQ(ToBytes(MakeIntFrame(kTypeWrite, 16, 100)),
              (Bytes{0xFF, 0xFF, 0xFE, 0x10, 0x64, 0x00, 0x00, 0x00, 0xCB, 0x2D}));
    EXPECT_EQ(ToBytes(MakeFloatFrame(kTypeWrite, 4, 1.5f)),
              (Bytes{0xFF, 0xFF, 0xFE, 0x04, 0x00, 0x00, 0xC0, 0x3F, 0xF4, 0x0E}));
    EXPECT_EQ(ToBytes(MakeIntFrame(kTypeWrite, 25, 0)),
              (Bytes{0xFF, 0xFF, 0xFE, 0x19, 0x00, 0x00, 0x00, 0x00, 0x08, 0x1C}));
}

TEST(FrameCodec, CrcCheckValues) {
    EXPECT_EQ(ComputeCrc(nullptr, 0), 0xFFFF);
    const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(ComputeCrc(digits, 9), 0x374B);  // 0x4B37 sent low byte first
    // Exactly `length` bytes are read.
    EXPECT_EQ(ComputeCrc(digits, 8),
              ComputeCrc(std::vector<uint8_t>(digits, digits + 8).data(), 8));
}

// The table method against the textbook bitwise CRC-16/MODBUS with a byte exchange.
TEST(FrameCodec, CrcMatchesBitwiseDefinition) {
    std::vector<uint8_t> data;
    for (int i = 0; i < 300; ++i) data.push_back(static_cast<uint8_t>(i * 37 + 11));
    for (uint16_t length = 0; length <= data.size(); length += 7) {
        uint16_t crc = 0xFFFF;
        for (uint16_t i = 0; i < length; ++i) {
            crc ^= data[i];
            for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        }
        const auto swapped = static_cast<uint16_t>((crc << 8) | (crc >> 8));
        EXPECT_EQ(ComputeCrc(data.data(), length), swapped) << "length " << length;
    }
}

TEST(FrameCodec, ReceivedLengthFollowsTheCodeOnly) {
    EXPECT_EQ(ReceivedFrameLength(0), 24u);
    for (int code = 1; code < 256; ++code) EXPECT_EQ(ReceivedFrameLength(uint8_t(code)), 10u);
}

TEST(FrameCodec, PackAndUnpack) {
    uint8_t buffer[12] = {};
    EXPECT_EQ(PackInt32(buffer, -1, 2), 4u);
    EXPECT_EQ(Bytes(buffer + 2, buffer + 6), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(UnpackInt32(buffer, 2), -1);
    EXPECT_EQ(static_cast<uint32_t>(UnpackInt32(buffer, 2)), 4294967295u);

    PackInt32(buffer, 0x12345678, 0);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0x78, 0x56, 0x34, 0x12}));

    // Pure byte copies: NaN payloads and infinities pass through unchanged.
    const float specials[] = {std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::bit_cast<float>(0x7FC12345u),
                              std::bit_cast<float>(0xFFA00001u),
                              -0.0f,
                              1.5f};
    for (float value : specials) {
        EXPECT_EQ(PackFloat(buffer, value, 5), 4u);
        EXPECT_EQ(std::bit_cast<uint32_t>(UnpackFloat(buffer, 5)), std::bit_cast<uint32_t>(value));
    }
}

}  // namespace
}  // namespace quorvel
