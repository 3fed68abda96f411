#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/frame_codec.h"

namespace quorvel {

// Copies a frame body of `length` bytes (at most 22) into `out` and appends the checksum,
// high half of ComputeCrc first. Returns the frame length, `length` + 2.
size_t SealFrame(const uint8_t* body, size_t length, uint8_t* out);

using ReadRequestFrame = std::array<uint8_t, ReadRequestLength>;
using ValueFrame = std::array<uint8_t, ParamFrameLength>;
using MeasurementFrame = std::array<uint8_t, MeasurementFrameLength>;

// FF FF FD code + checksum.
ReadRequestFrame MakeReadRequest(uint8_t code);
// FF FF type code, the 4-byte value, checksum. Commands use type 0xFE; the module answers
// with 0xFD.
ValueFrame MakeIntFrame(uint8_t type, uint8_t code, int32_t value);
ValueFrame MakeFloatFrame(uint8_t type, uint8_t code, float value);
// The module's measurement frame: FF FF FD 00, four floats, two status bytes, checksum.
MeasurementFrame MakeMeasurementFrame(float ch1, float ch2, float fx1, float fx2, uint8_t status1,
                                      uint8_t status2);

}  // namespace quorvel
