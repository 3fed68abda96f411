#include "link/frame_interpreter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "link/frame_builder.h"

namespace quorvel {
namespace {

// Stands in for the option-panel fields: one line per call.
class FieldLog final : public ParamFieldSink {
  public:
    int ParamDecimals() const override { return decimals; }
    void ShowParamText(ParamCode code, const std::string& text) override {
        calls.push_back("text " + std::to_string(code) + " " + text);
    }
    void SelectParamItem(ParamCode code, uint32_t index) override {
        calls.push_back("item " + std::to_string(code) + " " + std::to_string(index));
    }
    void ShowFirmware(const std::string& text) override { calls.push_back("firmware " + text); }

    int decimals = 2;
    std::vector<std::string> calls;
};

class RecorderLog final : public MeasurementRecorder {
  public:
    void RecordMeasurement(const MeasurementSet& measurements) override {
        seen.push_back(measurements);
        if (fail) throw std::runtime_error("disk gone");
    }
    std::vector<MeasurementSet> seen;
    bool fail = false;
};

struct Interpreter {
    MeasurementSet measurements;
    FieldLog fields;
    RecorderLog recorder;
    FrameInterpreter interpreter{measurements, fields, recorder, RegionalSettings::Polish()};

    template <typename Frame>
    void Process(const Frame& frame) {
        interpreter.ProcessFrame(frame.data(), frame.size());
    }
};

TEST(FrameInterpreter, ParameterAnswers) {
    struct Case {
        const char* name;
        ValueFrame frame;
        int decimals;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"float, 3 decimals", MakeFloatFrame(kTypeRead, pcUmin1, 2.5f), 3, {"text 4 2,500"}},
        {"float, 0 decimals", MakeFloatFrame(kTypeRead, pcUmin1, 2.25f), 0, {"text 4 2"}},
        {"every float field", MakeFloatFrame(kTypeRead, pcConstm2, -1.5f), 1, {"text 21 -1,5"}},
        {"wmax2", MakeFloatFrame(kTypeRead, pcWmax2, 20.0f), 2, {"text 11 20,00"}},
        {"integer -1", MakeIntFrame(kTypeRead, pcFreq, -1), 2, {"text 16 4294967295"}},
        {"integer uart", MakeIntFrame(kTypeRead, pcUart, 100), 2, {"text 17 100"}},
        {"mode list", MakeIntFrame(kTypeRead, pcMode1, 2), 2, {"item 12 2"}},
        {"mode out of the list", MakeIntFrame(kTypeRead, pcMode1, 9), 2, {"item 12 9"}},
        {"function list", MakeIntFrame(kTypeRead, pcModem2, 14), 2, {"item 19 14"}},
        {"firmware", MakeIntFrame(kTypeRead, pcFirmware, 0x35302E31), 2, {"firmware 1.05"}},
        {"written, never answered: type FE", MakeFloatFrame(kTypeWrite, pcUmin1, 1.0f), 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Interpreter it;
        it.fields.decimals = c.decimals;
        it.Process(c.frame);
        EXPECT_EQ(it.fields.calls, c.calls);
        EXPECT_TRUE(it.recorder.seen.empty());
    }
}

TEST(FrameInterpreter, CodesWithoutAnswerChangeNothing) {
    for (int code : {1, 2, 3, 22, 23, 25, 26, 27, 28, 255}) {
        SCOPED_TRACE(code);
        Interpreter it;
        it.Process(MakeFloatFrame(kTypeRead, uint8_t(code), 3.0f));
        EXPECT_TRUE(it.fields.calls.empty());
        EXPECT_TRUE(it.recorder.seen.empty());
    }
}

TEST(FrameInterpreter, FirmwareBytesAreLatin1) {
    Interpreter it;
    it.Process(MakeIntFrame(kTypeRead, pcFirmware, int32_t(0x41E93156)));  // 'V' '1' 'é' 'A'
    EXPECT_EQ(it.fields.calls, std::vector<std::string>{"firmware V1\xC3\xA9"
                                                        "A"});
}

TEST(FrameInterpreter, MeasurementUpdatesTheSetThenRecordsOnce) {
    Interpreter it;
    it.Process(MakeMeasurementFrame(1.25f, 12.0f, 13.25f, -10.75f, 0xE1, 0x1B));
    EXPECT_EQ(it.measurements.Ch1, 1.25f);
    EXPECT_EQ(it.measurements.Ch2, 12.0f);
    EXPECT_EQ(it.measurements.Fx1, 13.25f);
    EXPECT_EQ(it.measurements.Fx2, -10.75f);
    EXPECT_EQ(it.measurements.Ch1Mode, 1);  // bits 3..7 of the status are ignored
    EXPECT_EQ(it.measurements.Ch2Mode, 3);
    ASSERT_EQ(it.recorder.seen.size(), 1u);
    EXPECT_EQ(it.recorder.seen[0].Fx2, -10.75f);  // the recorder sees the updated set
    EXPECT_EQ(it.recorder.seen[0].Ch2Mode, 3);
    EXPECT_TRUE(it.fields.calls.empty());
}

TEST(FrameInterpreter, MeasurementOfTypeFeIsIgnored) {
    Interpreter it;
    auto frame = MakeMeasurementFrame(5, 6, 7, 8, 1, 1);
    frame[2] = kTypeWrite;
    it.Process(frame);
    EXPECT_EQ(it.measurements.Ch1, 0.0f);
    EXPECT_TRUE(it.recorder.seen.empty());
}

TEST(FrameInterpreter, RecorderErrorReachesTheReceiverWhichDropsTheDelivery) {
    Interpreter it;
    LinkState link;
    link.Connected = true;
    FrameReceiver receiver(link, it.interpreter);
    it.recorder.fail = true;
    std::vector<uint8_t> stream;
    for (int i = 0; i < 3; ++i) {
        const auto f = MakeMeasurementFrame(float(i), 0, 0, 0, 0, 0);
        stream.insert(stream.end(), f.begin(), f.end());
    }
    receiver.scComAfterReceive(nullptr, stream.data(), uint32_t(stream.size()));
    EXPECT_EQ(it.recorder.seen.size(), 1u);
    EXPECT_EQ(link.Stats.RxFrames, 0u);
    EXPECT_EQ(receiver.RxState(), ReceiverState::WaitSync1);
}

}  // namespace
}  // namespace quorvel
