// Recording path: one measurement frame through the interpreter and the CSV recorder into a
// real file, all seven columns on.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/null_sinks.h"
#include "link/frame_builder.h"
#include "link/frame_interpreter.h"
#include "record/csv_recorder.h"
#include "record/record_file.h"

namespace quorvel {
namespace {

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_RecordMeasurement(benchmark::State& state) {
    const std::string path = BenchFile("quorvel-bench-record.csv");
    std::filesystem::remove(path);
    SystemClock clock;
    CsvRecorder recorder(clock, RegionalSettings::Polish());
    recorder.file_name_editChange(path);
    recorder.save_buttonClick();
    MeasurementSet measurements;
    NoFields fields;
    FrameInterpreter interpreter(measurements, fields, recorder, RegionalSettings::Polish());
    const auto frame = MakeMeasurementFrame(1.25f, 12.0f, 13.25f, -10.75f, 0, 1);
    for (auto _ : state) interpreter.ProcessFrame(frame.data(), frame.size());
    recorder.save_buttonClick();
    state.SetItemsProcessed(state.iterations());
    state.counters["x_top_rate"] = benchmark::Counter(
        static_cast<double>(state.iterations()) / 100.0, benchmark::Counter::kIsRate);
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecordMeasurement);

// Baseline: the same number of bytes appended with one write per line and nothing else.
void BM_RecordMeasurement_WriteOnlyBaseline(benchmark::State& state) {
    const std::string path = BenchFile("quorvel-bench-write.csv");
    std::filesystem::remove(path);
    RecordFile file;
    file.Open(path);
    const std::string line = "2014-05-30;08:05:59;12345;1,25;12,00;13,25;-10,75;\r\n";
    for (auto _ : state) file.Write(line.data(), line.size());
    file.Close();
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecordMeasurement_WriteOnlyBaseline);

}  // namespace
}  // namespace quorvel
