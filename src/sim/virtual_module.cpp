#include "sim/virtual_module.h"

#include <bit>
#include <cmath>
#include <numbers>

#include "link/param_code.h"

namespace quorvel {
namespace {

uint32_t Bits(float value) {
    return std::bit_cast<uint32_t>(value);
}

struct Range {
    float low;
    float high;
};

// Input range of each mode: 0~10V, 0~20mA, 4~20mA, POTI (percent).
constexpr Range kModeRanges[4] = {{0, 10}, {0, 20}, {4, 20}, {0, 100}};

float Function(uint32_t index, float a1, float a2, float k) {
    switch (index) {
        case 0:
            return a1 + a2;
        case 1:
            return a1 - a2;
        case 2:
            return a2 - a1;
        case 3:
            return -a1 - a2;
        case 4:
            return k - a1 - a2;
        case 5:
            return k + a1 + a2;
        case 6:
            return k + a1 - a2;
        case 7:
            return k - a1 + a2;
        case 8:
            return k + a1;
        case 9:
            return k + a2;
        case 10:
            return k - a1;
        case 11:
            return k - a2;
        case 12:
            return k * (a1 + a2);
        case 13:
            return k * (a1 - a2);
        case 14:
            return k * (a2 - a1);
        default:
            return 0;
    }
}

}  // namespace

VirtualModule::VirtualModule() {
    FactoryDefaults();
}

void VirtualModule::FactoryDefaults() {
    params_.fill(0);
    params_[pcCalib1] = Bits(1.0f);
    params_[pcCalib2] = Bits(1.0f);
    params_[pcCalib3] = Bits(5.0f);
    params_[pcMode1] = 0;
    params_[pcMode2] = 2;
    ModeDefaults(1);
    ModeDefaults(2);
    params_[pcFcon] = 10;
    params_[pcFavg] = 10;
    params_[pcFreq] = 100;
    params_[pcUart] = 50;
    params_[pcModem1] = 0;
    params_[pcModem2] = 1;
    params_[pcConstm1] = Bits(1.0f);
    params_[pcConstm2] = Bits(1.0f);
    params_[pcCalibm1] = Bits(0.0f);
    params_[pcCalibm2] = Bits(0.0f);
}

void VirtualModule::ModeDefaults(int input) {
    const uint32_t mode = params_[input == 1 ? pcMode1 : pcMode2];
    const Range range = kModeRanges[mode < 4 ? mode : 0];
    const int offset = input == 1 ? 0 : 1;
    params_[pcUmin1 + offset] = Bits(range.low);
    params_[pcUmax1 + offset] = Bits(range.high);
    params_[pcWmin1 + offset] = Bits(range.low);
    params_[pcWmax1 + offset] = Bits(range.high);
}

float VirtualModule::ParamFloat(uint8_t code) const {
    return std::bit_cast<float>(params_[code]);
}

uint32_t VirtualModule::TransmitRate() const {
    return params_[pcUart] > 100 ? 100 : params_[pcUart];
}

MeasurementFrame VirtualModule::Measure(double seconds) const {
    const auto scaled = [this](int offset, double phase) {
        const float umin = ParamFloat(static_cast<uint8_t>(pcUmin1 + offset));
        const float umax = ParamFloat(static_cast<uint8_t>(pcUmax1 + offset));
        const float wmin = ParamFloat(static_cast<uint8_t>(pcWmin1 + offset));
        const float wmax = ParamFloat(static_cast<uint8_t>(pcWmax1 + offset));
        const double raw = umin + (umax - umin) * phase;
        if (umax == umin) return wmin;
        return static_cast<float>(wmin + (raw - umin) * (wmax - wmin) / (umax - umin));
    };
    const double sine = 0.5 + 0.45 * std::sin(2 * std::numbers::pi * seconds / 20.0);
    const double cycle = std::fmod(seconds, 30.0) / 30.0;
    const double triangle = 0.05 + 0.9 * (cycle < 0.5 ? 2 * cycle : 2 - 2 * cycle);
    const float a1 = scaled(0, sine);
    const float a2 = scaled(1, triangle);
    const float f1 = Function(params_[pcModem1], a1, a2, ParamFloat(pcConstm1));
    const float f2 = Function(params_[pcModem2], a1, a2, ParamFloat(pcConstm2));
    return MakeMeasurementFrame(a1, a2, f1, f2, static_cast<uint8_t>(params_[pcMode1] & 7),
                                static_cast<uint8_t>(params_[pcMode2] & 7));
}

std::vector<uint8_t> VirtualModule::Receive(const uint8_t* data, size_t count) {
    std::vector<uint8_t> answers;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t b = data[i];
        pending_.push_back(b);
        // Hunt for FF FF, then FD (6 bytes) or FE (10 bytes); anything else starts over.
        if ((pending_.size() <= 2 && b != kSyncByte) ||
            (pending_.size() == 3 && b != kTypeRead && b != kTypeWrite)) {
            pending_.clear();
            if (b == kSyncByte) pending_.push_back(b);
            continue;
        }
        const size_t length = pending_.size() >= 3 && pending_[2] == kTypeWrite ? ParamFrameLength
                                                                                : ReadRequestLength;
        if (pending_.size() == length) {
            Apply(pending_.data(), length, answers);
            pending_.clear();
        }
    }
    return answers;
}

void VirtualModule::Apply(const uint8_t* frame, size_t length, std::vector<uint8_t>& answers) {
    const uint16_t crc = ComputeCrc(frame, static_cast<uint16_t>(length - 2));
    if (frame[length - 2] != (crc >> 8) || frame[length - 1] != (crc & 0xFF)) return;
    const uint8_t code = frame[3];
    if (frame[2] == kTypeRead) {
        if (code == pcMeasurement) {
            const MeasurementFrame m = Measure(clock_);
            answers.insert(answers.end(), m.begin(), m.end());
        } else if (code >= pcUmin1 && code <= pcConstm2) {
            const ValueFrame v = MakeIntFrame(kTypeRead, code, static_cast<int32_t>(params_[code]));
            answers.insert(answers.end(), v.begin(), v.end());
        } else if (code == pcFirmware) {
            ValueFrame v{kSyncByte, kSyncByte, kTypeRead, pcFirmware};
            for (int i = 0; i < 4; ++i) v[4 + i] = static_cast<uint8_t>(kFirmware[i]);
            SealFrame(v.data(), 8, v.data());
            answers.insert(answers.end(), v.begin(), v.end());
        }
        return;
    }
    // Writes are never answered.
    const auto value = static_cast<uint32_t>(UnpackInt32(frame, 4));
    if (code >= pcCalib1 && code <= pcCalibm2) {
        params_[code] = value;
    } else if (code == pcFactoryDefaults) {
        FactoryDefaults();
    } else if (code == pcModeDefaults1) {
        ModeDefaults(1);
    } else if (code == pcModeDefaults2) {
        ModeDefaults(2);
    }
}

std::vector<uint8_t> FaultyLine::Emit(const uint8_t* frame, size_t length) {
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::vector<uint8_t> bytes(frame, frame + length);
    ++framesSent;
    if (faults_.corruptFraction > 0 && chance(random_) < faults_.corruptFraction) {
        // Past the sync, type and code bytes, so the frame keeps its length.
        bytes[4 + random_() % (length - 4)] ^= static_cast<uint8_t>(1 + random_() % 255);
        ++framesCorrupted;
    }
    if (faults_.noiseFraction > 0 && chance(random_) < faults_.noiseFraction) {
        const unsigned n = 1 + random_() % 8;
        for (unsigned i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(random_() % 0xFF));
        noiseBytes += n;
    }
    return bytes;
}

}  // namespace quorvel
