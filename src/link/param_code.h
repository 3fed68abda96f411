#pragma once

#include <cstdint>

namespace quorvel {

// Byte 3 of every frame: what the frame is about.
enum ParamCode : uint8_t {
    pcMeasurement = 0,
    pcCalib1 = 1,
    pcCalib2 = 2,
    pcCalib3 = 3,
    pcUmin1 = 4,
    pcUmin2 = 5,
    pcUmax1 = 6,
    pcUmax2 = 7,
    pcWmin1 = 8,
    pcWmin2 = 9,
    pcWmax1 = 10,
    pcWmax2 = 11,
    pcMode1 = 12,
    pcMode2 = 13,
    pcFcon = 14,
    pcFavg = 15,
    pcFreq = 16,
    pcUart = 17,
    pcModem1 = 18,
    pcModem2 = 19,
    pcConstm1 = 20,
    pcConstm2 = 21,
    pcCalibm1 = 22,
    pcCalibm2 = 23,
    pcFirmware = 24,
    pcFactoryDefaults = 25,
    pcModeDefaults1 = 26,
    pcModeDefaults2 = 27,
};

}  // namespace quorvel
