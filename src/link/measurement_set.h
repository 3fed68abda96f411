#pragma once

#include <cstdint>

namespace quorvel {

// The latest measurement frame, decoded. No time stamp: readers always take the latest
// values, and the set keeps them across disconnects.
struct MeasurementSet {
    float Ch1 = 0;        // "Wejście 1"
    float Ch2 = 0;        // "Wejście 2"
    float Fx1 = 0;        // "Funkcja 1"
    float Fx2 = 0;        // "Funkcja 2"
    uint8_t Ch1Mode = 0;  // 0 "0~10V", 1 "0~20mA", 2 "4~20mA", 3 "POTI"; 4..7 unnamed
    uint8_t Ch2Mode = 0;
};

// The recorder's per-measurement step, run once for every measurement frame right after
// the set has been updated, whether recording is on or off.
class MeasurementRecorder {
  public:
    virtual ~MeasurementRecorder() = default;
    virtual void RecordMeasurement(const MeasurementSet& measurements) = 0;
};

}  // namespace quorvel
