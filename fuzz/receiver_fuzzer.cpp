// Arbitrary bytes, cut into arbitrary deliveries, through the receiver and the interpreter.
// The counters must stay consistent with each other and with the amount of input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "link/frame_interpreter.h"
#include "link/frame_receiver.h"

namespace {

using namespace quorvel;

class CountingFields final : public ParamFieldSink {
  public:
    int ParamDecimals() const override { return decimals; }
    void ShowParamText(ParamCode, const std::string& text) override {
        if (text.empty() || text.size() > 40) std::abort();
    }
    void SelectParamItem(ParamCode, uint32_t) override {}
    void ShowFirmware(const std::string& text) override {
        if (text.size() < 4 || text.size() > 8) std::abort();
    }
    int decimals = 0;
};

class CountingRecorder final : public MeasurementRecorder {
  public:
    void RecordMeasurement(const MeasurementSet& m) override {
        if (m.Ch1Mode > 7 || m.Ch2Mode > 7) std::abort();
        ++records;
    }
    uint32_t records = 0;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first byte picks the decimals and the delivery size pattern.
    const uint8_t control = data[0];
    data += 1;
    size -= 1;

    LinkState link;
    link.Connected = true;
    MeasurementSet measurements;
    CountingFields fields;
    fields.decimals = control % 6;
    CountingRecorder recorder;
    FrameInterpreter interpreter(measurements, fields, recorder, RegionalSettings::Polish());
    FrameReceiver receiver(link, interpreter);

    const size_t step = 1 + (control >> 3) * 37;  // 1 .. 1148 bytes per delivery
    for (size_t i = 0; i < size; i += step) {
        const size_t n = step < size - i ? step : size - i;
        receiver.scComAfterReceive(nullptr, data + i, static_cast<uint32_t>(n));
        Check(receiver.FramePos() <= 24);
        if (receiver.RxState() == ReceiverState::Collect) {
            Check(receiver.FramePos() < receiver.FrameLength());
        }
    }
    const LinkStats& stats = link.Stats;
    Check(stats.RxFrames == stats.RateFrames);
    Check(recorder.records <= stats.RxFrames);
    Check((static_cast<size_t>(stats.RxFrames) + stats.ErrorFrames) * ReadRequestLength <= size);
    return 0;
}
