#include "link/frame_builder.h"

#include <cstring>

namespace quorvel {

size_t SealFrame(const uint8_t* body, size_t length, uint8_t* out) {
    std::memmove(out, body, length);
    const uint16_t crc = ComputeCrc(out, static_cast<uint16_t>(length));
    out[length] = static_cast<uint8_t>(crc >> 8);
    out[length + 1] = static_cast<uint8_t>(crc & 0xFF);
    return length + 2;
}

ReadRequestFrame MakeReadRequest(uint8_t code) {
    ReadRequestFrame frame{kSyncByte, kSyncByte, kTypeRead, code};
    SealFrame(frame.data(), 4, frame.data());
    return frame;
}

ValueFrame MakeIntFrame(uint8_t type, uint8_t code, int32_t value) {
    ValueFrame frame{kSyncByte, kSyncByte, type, code};
    PackInt32(frame.data(), value, 4);
    SealFrame(frame.data(), 8, frame.data());
    return frame;
}

ValueFrame MakeFloatFrame(uint8_t type, uint8_t code, float value) {
    ValueFrame frame{kSyncByte, kSyncByte, type, code};
    PackFloat(frame.data(), value, 4);
    SealFrame(frame.data(), 8, frame.data());
    return frame;
}

MeasurementFrame MakeMeasurementFrame(float ch1, float ch2, float fx1, float fx2, uint8_t status1,
                                      uint8_t status2) {
    MeasurementFrame frame{kSyncByte, kSyncByte, kTypeRead, 0};
    PackFloat(frame.data(), ch1, 4);
    PackFloat(frame.data(), ch2, 8);
    PackFloat(frame.data(), fx1, 12);
    PackFloat(frame.data(), fx2, 16);
    frame[20] = status1;
    frame[21] = status2;
    SealFrame(frame.data(), 22, frame.data());
    return frame;
}

}  // namespace quorvel
