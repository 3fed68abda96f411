#include "link/frame_codec.h"

#include <array>
#include <bit>
#include <cstring>

namespace quorvel {
namespace {

// The high-order and low-order byte tables of the Modbus serial line's table method.
struct CrcTables {
    std::array<uint8_t, 256> hi{};
    std::array<uint8_t, 256> lo{};
};

constexpr CrcTables MakeCrcTables() {
    CrcTables tables;
    for (unsigned i = 0; i < 256; ++i) {
        unsigned r = i;
        for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xA001u : r >> 1;
        tables.hi[i] = static_cast<uint8_t>(r & 0xFF);
        tables.lo[i] = static_cast<uint8_t>(r >> 8);
    }
    return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();
static_assert(kCrcTables.hi[1] == 0xC1 && kCrcTables.hi[3] == 0x40);
static_assert(kCrcTables.lo[1] == 0xC0 && kCrcTables.lo[3] == 0x01);

}  // namespace

uint16_t ComputeCrc(const uint8_t* bytes, uint16_t length) {
    uint8_t hi = 0xFF;
    uint8_t lo = 0xFF;
    for (uint16_t i = 0; i < length; ++i) {
        const uint8_t index = bytes[i] ^ hi;
        hi = lo ^ kCrcTables.hi[index];
        lo = kCrcTables.lo[index];
    }
    return static_cast<uint16_t>(hi << 8 | lo);
}

size_t PackInt32(uint8_t* buffer, int32_t value, size_t offset) {
    const auto bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) buffer[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    return 4;
}

size_t PackFloat(uint8_t* buffer, float value, size_t offset) {
    return PackInt32(buffer, std::bit_cast<int32_t>(value), offset);
}

int32_t UnpackInt32(const uint8_t* buffer, size_t offset) {
    uint32_t bits = 0;
    for (size_t i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(buffer[offset + i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

float UnpackFloat(const uint8_t* buffer, size_t offset) {
    return std::bit_cast<float>(UnpackInt32(buffer, offset));
}

}  // namespace quorvel
