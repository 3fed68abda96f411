#include "record/csv_recorder.h"

#include <optional>

#include "regional/number_text.h"
#include "regional/text_encoding.h"

namespace quorvel {
namespace {

// A column longer than this cannot be formatted: with eight of them a line still fits the
// 256 bytes a record may take.
constexpr size_t kMaxColumnLength = 30;

bool SameSecond(const LocalDateTime& a, const LocalDateTime& b) {
    return a.second == b.second && a.minute == b.minute && a.hour == b.hour && a.day == b.day &&
           a.month == b.month && a.year == b.year;
}

// The column as single bytes, or nothing when it cannot be written that way.
std::optional<std::string> ColumnBytes(const std::string& text) {
    if (text.size() > 2 * kMaxColumnLength) return std::nullopt;
    std::optional<std::string> bytes = Utf8ToLatin1(text);
    if (bytes && bytes->size() > kMaxColumnLength) return std::nullopt;
    return bytes;
}

}  // namespace

void CsvRecorder::RecordMeasurement(const MeasurementSet& measurements) {
    if (BuildRecordLine(measurements) == 0) return;
    AppendRecord(CurrentFileName(), recordLine_);
    ++measurementCounter_;
    ++partLineCounter_;
    if (options_.cutFile && partLineCounter_ >= splitThreshold_) {
        partLineCounter_ = 0;
        if (options_.clearCnt) measurementCounter_ = 0;
        ++partNumber_;
    }
}

uint8_t CsvRecorder::BuildRecordLine(const MeasurementSet& m) {
    lineTime_ = clock_.Now();
    recordLine_.clear();
    uint8_t filled = 0;
    const auto column = [&](bool on, auto&& format) {
        if (on) {
            if (const std::optional<std::string> bytes = ColumnBytes(format())) {
                recordLine_ += *bytes;
                ++filled;
            } else {
                recordLine_ += "---";
            }
        }
        recordLine_ += ';';
    };
    const auto value = [&](float v) {
        return [&, v] { return FormatFixed(v, options_.decimals, regional_); };
    };
    column(options_.saveDate, [&] { return FormatShortDate(lineTime_, regional_); });
    column(options_.saveTime, [&] { return FormatLongTime(lineTime_, regional_); });
    column(options_.saveCnt, [&] { return std::to_string(measurementCounter_); });
    column(options_.saveAdc1, value(m.Ch1));
    column(options_.saveAdc2, value(m.Ch2));
    column(options_.saveMath1, value(m.Fx1));
    column(options_.saveMath2, value(m.Fx2));
    recordLine_ += "\r\n";
    return filled;
}

std::string CsvRecorder::CurrentFileName() const {
    if (!options_.cutFile) return fileName_;
    return baseName_ + "_" + std::to_string(partNumber_) + extension_;
}

void CsvRecorder::AppendRecord(const std::string& fileName, std::string_view line) {
    if (!recordingActive_) return;
    if (openFileName_ != fileName) {
        CloseRecordFile();
        OpenRecordFile(fileName);
    } else if (openFailed_ && !SameSecond(failedOpenAt_, lineTime_)) {
        // The folder may exist by now, or the other program may have let go of the file.
        OpenRecordFile(fileName);
    }
    if (!recordStream_.IsOpen()) return;
    if (recordStream_.Write(line.data(), line.size())) unsynced_ = true;
}

void CsvRecorder::OpenRecordFile(const std::string& fileName) {
    openFileName_ = fileName;
    openFailed_ = !recordStream_.Open(fileName);
    if (openFailed_) {
        failedOpenAt_ = lineTime_;
        return;
    }
    if (recordStream_.Write(kCsvHeader.data(), kCsvHeader.size())) unsynced_ = true;
}

void CsvRecorder::FlushTick() {
    if (!unsynced_) return;
    recordStream_.Sync();
    unsynced_ = false;
}

void CsvRecorder::CloseRecordFile() {
    recordStream_.Close();
    unsynced_ = false;
    openFailed_ = false;
    openFileName_.clear();
}

RecorderCaptions CsvRecorder::SetRecording() {
    if (recordingActive_) return {"Zatrzymaj zapis", false, "Zapis: aktywny"};
    CloseRecordFile();
    return {"Rozpocznij zapis", true, "Zapis: niektywny"};
}

RecorderCaptions CsvRecorder::save_buttonClick() {
    if (!fileName_.empty()) recordingActive_ = !recordingActive_;
    partNumber_ = 0;
    measurementCounter_ = 0;
    partLineCounter_ = 0;
    return SetRecording();
}

void CsvRecorder::file_name_editChange(const std::string& text) {
    fileName_ = text;
    const size_t split = SplitBeforeLastUtf16Units(text, 4);
    baseName_ = text.substr(0, split);
    extension_ = text.substr(split);
    partNumber_ = 0;
    partLineCounter_ = 0;
}

void CsvRecorder::file_cntChange(int itemIndex) {
    uint32_t threshold = 10;
    for (int i = 0; i < itemIndex && i < 5; ++i) threshold *= 10;
    splitThreshold_ = threshold;
}

}  // namespace quorvel
