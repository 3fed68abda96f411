#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "link/frame_interpreter.h"

namespace quorvel {

// Parameter answers go nowhere: the benchmarks measure the receive and record paths.
class NoFields final : public ParamFieldSink {
  public:
    int ParamDecimals() const override { return 2; }
    void ShowParamText(ParamCode, const std::string&) override {}
    void SelectParamItem(ParamCode, uint32_t) override {}
    void ShowFirmware(const std::string&) override {}
};

class NoRecorder final : public MeasurementRecorder {
  public:
    void RecordMeasurement(const MeasurementSet& m) override { benchmark::DoNotOptimize(m); }
};

}  // namespace quorvel
