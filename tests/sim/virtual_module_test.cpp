#include "sim/virtual_module.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/frame_codec.h"
#include "link/param_code.h"

namespace quorvel {
namespace {

using Bytes = std::vector<uint8_t>;

template <typename Frame>
Bytes Send(VirtualModule& module, const Frame& frame, size_t piece = 64) {
    Bytes answers;
    for (size_t i = 0; i < frame.size(); i += piece) {
        const Bytes a = module.Receive(frame.data() + i, std::min(piece, frame.size() - i));
        answers.insert(answers.end(), a.begin(), a.end());
    }
    return answers;
}

TEST(VirtualModule, AnswersReadsAndKeepsWrites) {
    VirtualModule module;
    const auto freq = MakeReadRequest(pcFreq);
    const auto expected = MakeIntFrame(kTypeRead, pcFreq, 100);
    EXPECT_EQ(Send(module, freq), Bytes(expected.begin(), expected.end()));
    // A write is never answered; a read afterwards gives the new value, even when the
    // command comes a byte at a time with noise before it.
    Bytes noisyWrite = {0x00, 0xFF, 0x12};
    const auto write = MakeIntFrame(kTypeWrite, pcFreq, 250);
    noisyWrite.insert(noisyWrite.end(), write.begin(), write.end());
    EXPECT_TRUE(Send(module, noisyWrite, 1).empty());
    const Bytes answer = Send(module, freq);
    ASSERT_EQ(answer.size(), 10u);
    EXPECT_EQ(UnpackInt32(answer.data(), 4), 250);
}

TEST(VirtualModule, BadChecksumIsIgnored) {
    VirtualModule module;
    auto request = MakeReadRequest(pcUart);
    request[5] ^= 1;
    EXPECT_TRUE(Send(module, request).empty());
}

TEST(VirtualModule, FirmwareAndSingleMeasurement) {
    VirtualModule module;
    const Bytes firmware = Send(module, MakeReadRequest(pcFirmware));
    ASSERT_EQ(firmware.size(), 10u);
    EXPECT_EQ(std::string(firmware.begin() + 4, firmware.begin() + 8), "SIM1");
    const Bytes measurement = Send(module, MakeReadRequest(pcMeasurement));
    ASSERT_EQ(measurement.size(), 24u);
    EXPECT_EQ(measurement[21], 2);  // input 2 starts in 4~20mA
    // Calibrations, actions and codes beyond the parameters have no answer.
    for (int code : {1, 23, 25, 40}) {
        EXPECT_TRUE(Send(module, MakeReadRequest(uint8_t(code))).empty());
    }
}

TEST(VirtualModule, ScalesInputsAndComputesFunctions) {
    VirtualModule module;
    Send(module, MakeFloatFrame(kTypeWrite, pcWmin1, 100.0f));
    Send(module, MakeFloatFrame(kTypeWrite, pcWmax1, 200.0f));
    Send(module, MakeIntFrame(kTypeWrite, pcModem2, 12));  // K*(A1+A2)
    Send(module, MakeFloatFrame(kTypeWrite, pcConstm2, 2.0f));
    for (double t : {0.0, 3.3, 17.0}) {
        const MeasurementFrame m = module.Measure(t);
        const float a1 = UnpackFloat(m.data(), 4);
        const float a2 = UnpackFloat(m.data(), 8);
        EXPECT_GE(a1, 100.0f);
        EXPECT_LE(a1, 200.0f);
        EXPECT_GE(a2, 4.0f);
        EXPECT_LE(a2, 20.0f);
        EXPECT_FLOAT_EQ(UnpackFloat(m.data(), 12), a1 + a2);
        EXPECT_FLOAT_EQ(UnpackFloat(m.data(), 16), 2.0f * (a1 + a2));
    }
}

TEST(VirtualModule, DefaultsActions) {
    VirtualModule module;
    Send(module, MakeIntFrame(kTypeWrite, pcMode1, 3));  // POTI
    Send(module, MakeIntFrame(kTypeWrite, pcModeDefaults1, 0));
    EXPECT_EQ(module.ParamFloat(pcUmax1), 100.0f);
    EXPECT_EQ(module.ParamFloat(pcUmax2), 20.0f);  // input 2 untouched
    Send(module, MakeIntFrame(kTypeWrite, pcUart, 0));
    Send(module, MakeIntFrame(kTypeWrite, pcFactoryDefaults, 0));
    EXPECT_EQ(module.TransmitRate(), 50u);
    EXPECT_EQ(module.Param(pcMode1), 0u);
}

TEST(FaultyLine, CountsWhatItDid) {
    LineFaults faults;
    faults.corruptFraction = 0.5;
    faults.noiseFraction = 0.5;
    FaultyLine line(faults);
    const auto frame = MakeMeasurementFrame(1, 2, 3, 4, 0, 0);
    size_t bytes = 0;
    uint64_t changed = 0;
    for (int i = 0; i < 400; ++i) {
        const Bytes out = line.Emit(frame.data(), frame.size());
        bytes += out.size();
        changed += !std::equal(frame.begin(), frame.end(), out.begin());
        for (size_t k = frame.size(); k < out.size(); ++k) EXPECT_NE(out[k], 0xFF);
    }
    EXPECT_EQ(line.framesSent, 400u);
    EXPECT_EQ(changed, line.framesCorrupted);
    EXPECT_GT(line.framesCorrupted, 100u);
    EXPECT_EQ(bytes, 400 * frame.size() + line.noiseBytes);
}

}  // namespace
}  // namespace quorvel
