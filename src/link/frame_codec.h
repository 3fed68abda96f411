#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel {

// Frame layout shared by both directions: FF FF, type, code, payload, checksum.
inline constexpr uint8_t kSyncByte = 0xFF;
inline constexpr uint8_t kTypeRead = 0xFD;   // read request, and every answer the module sends
inline constexpr uint8_t kTypeWrite = 0xFE;  // write command
inline constexpr size_t ReadRequestLength = 6;
inline constexpr size_t ParamFrameLength = 10;
inline constexpr size_t MeasurementFrameLength = 24;

// Length of a received frame, decided by the code byte alone.
constexpr size_t ReceivedFrameLength(uint8_t code) {
    return code == 0 ? MeasurementFrameLength : ParamFrameLength;
}

// CRC-16/MODBUS over exactly `length` bytes, with its two bytes exchanged: the high half of
// the result is the checksum byte that goes first on the wire.
uint16_t ComputeCrc(const uint8_t* bytes, uint16_t length);

// Little-endian stores and loads of the 4-byte value field; pure byte copies, so a NaN or
// an infinity passes through unchanged. The packers return the number of bytes written.
size_t PackInt32(uint8_t* buffer, int32_t value, size_t offset);
size_t PackFloat(uint8_t* buffer, float value, size_t offset);
int32_t UnpackInt32(const uint8_t* buffer, size_t offset);
float UnpackFloat(const uint8_t* buffer, size_t offset);

}  // namespace quorvel
