#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "link/frame_builder.h"

namespace quorvel {

// The module's side of the protocol, without any I/O: it takes the bytes the PC sends,
// answers read requests, applies writes and actions, and makes measurement frames.
//
// Parameters 1..23 start at their factory values: both inputs 0~10V (input 2 in 4~20mA),
// ranges 0..10 scaled to 0..10, filters 10, measurement 100 Hz, transmission 50 Hz,
// functions A1+A2 and A1-A2 with K = 1. Input 1 follows a 20 s sine over its input range,
// input 2 a 30 s triangle; both are scaled from input MIN/MAX to output MIN/MAX.
//
// Thread safety: none; its owner serialises the calls.
class VirtualModule {
  public:
    static constexpr char kFirmware[5] = "SIM1";

    VirtualModule();

    // Bytes from the PC, in any pieces. Returns the module's answers, frame after frame.
    std::vector<uint8_t> Receive(const uint8_t* data, size_t count);
    // The measurement frame at `seconds` after the start.
    MeasurementFrame Measure(double seconds) const;
    // Transmission frequency (code 17), 0..100 frames per second; 0 = only on request.
    uint32_t TransmitRate() const;

    uint32_t Param(uint8_t code) const { return params_[code]; }
    void SetParam(uint8_t code, uint32_t value) { params_[code] = value; }
    float ParamFloat(uint8_t code) const;
    // The time a requested measurement (a read of code 0) is taken at.
    double Clock() const { return clock_; }
    void SetClock(double seconds) { clock_ = seconds; }

  private:
    void FactoryDefaults();
    void ModeDefaults(int input);
    void Apply(const uint8_t* frame, size_t length, std::vector<uint8_t>& answers);

    std::array<uint32_t, 24> params_{};
    std::vector<uint8_t> pending_;  // a command frame not yet complete
    double clock_ = 0;              // the time the answers to code 0 are measured at
};

// Fault injection on the line from the module: corrupted frames and noise between frames.
struct LineFaults {
    double corruptFraction = 0;  // share of frames with one byte changed after the sync
    double noiseFraction = 0;    // share of frames followed by 1..8 noise bytes (no 0xFF)
    bool splitWrites = false;    // every frame goes out in two writes
    uint32_t seed = 1;
};

class FaultyLine {
  public:
    explicit FaultyLine(LineFaults faults) : faults_(faults), random_(faults.seed) {}
    // The bytes to put on the line for one frame; counts what it did.
    std::vector<uint8_t> Emit(const uint8_t* frame, size_t length);
    const LineFaults& Faults() const { return faults_; }

    uint64_t framesSent = 0;
    uint64_t framesCorrupted = 0;
    uint64_t noiseBytes = 0;

  private:
    LineFaults faults_;
    std::mt19937 random_;
};

}  // namespace quorvel
