#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "link/measurement_set.h"
#include "record/record_file.h"
#include "regional/date_time_text.h"
#include "regional/regional_settings.h"

namespace quorvel {

// The recorder's switches, filled by the window from its controls or by the command line.
struct RecorderOptions {
    bool saveDate = true;   // DATA
    bool saveTime = true;   // GODZINA
    bool saveCnt = true;    // LICZNIK
    bool saveAdc1 = true;   // WEJŚCIE 1
    bool saveAdc2 = true;   // WEJŚCIE 2
    bool saveMath1 = true;  // FUNKCJA 1
    bool saveMath2 = true;  // FUNKCJA 2
    bool cutFile = false;   // split into part files of SplitThreshold records
    bool clearCnt = false;  // LICZNIK restarts at 0 in every part
    int decimals = 2;       // DecimalPoint1ComboBox: decimals of the four value columns
};

// What the window shows for the recording state: save_button's caption, whether
// file_name_button is enabled, status bar panel 2.
struct RecorderCaptions {
    const char* saveButton;
    bool fileButtonEnabled;
    const char* status;
};

// The header line, Windows-1250 ("Ś" is 0x8C), written whenever a file is opened.
inline constexpr std::string_view kCsvHeader =
    "DATA;GODZINA;LICZNIK;WEJ\x8C"
    "CIE 1;WEJ\x8C"
    "CIE 2;FUNKCJA 1;FUNKCJA 2;\r\n";

// Writes one semicolon-separated line per measurement frame while recording is on, with
// seven optional columns, and splits the recording into part files on request.
//
// Files are opened by the first record after recording starts and after every change of
// file, and each record goes to the operating system as it is written. A file that cannot
// be opened is tried again at the next record of a later second; a failed write loses that
// record only. The owner's once-a-second tick (FlushTick) pushes what was written to the
// disk, so that the receive path never waits for it.
//
// Thread safety: none needed; every call comes from the GUI thread (the receive path, the
// handlers, the statistics tick).
class CsvRecorder final : public MeasurementRecorder {
  public:
    CsvRecorder(const Clock& clock, RegionalSettings regional)
        : clock_(clock), regional_(std::move(regional)) {}

    RecorderOptions& Options() { return options_; }

    void RecordMeasurement(const MeasurementSet& measurements) override;

    // Fills RecordLine from the set and one clock reading; returns how many columns were
    // filled (a column that cannot be written as single bytes holds "---" and does not count).
    uint8_t BuildRecordLine(const MeasurementSet& measurements);
    const std::string& RecordLine() const { return recordLine_; }

    void AppendRecord(const std::string& fileName, std::string_view line);
    RecorderCaptions SetRecording();
    void CloseRecordFile();
    // Once a second (the statistics tick): records written since the last tick reach the
    // disk.
    void FlushTick();

    // Handlers of the recorder's controls.
    RecorderCaptions save_buttonClick();
    void file_name_editChange(const std::string& text);
    void file_cntChange(int itemIndex);

    bool RecordingActive() const { return recordingActive_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& OpenFileName() const { return openFileName_; }
    uint32_t MeasurementCounter() const { return measurementCounter_; }
    uint32_t PartLineCounter() const { return partLineCounter_; }
    uint32_t PartNumber() const { return partNumber_; }
    uint32_t SplitThreshold() const { return splitThreshold_; }
    // The file the next record goes to.
    std::string CurrentFileName() const;

  private:
    void OpenRecordFile(const std::string& fileName);

    const Clock& clock_;
    RegionalSettings regional_;
    RecorderOptions options_;

    bool recordingActive_ = false;
    RecordFile recordStream_;
    std::string openFileName_;
    bool openFailed_ = false;     // the file of openFileName_ could not be opened
    LocalDateTime failedOpenAt_;  // and when that was found out
    bool unsynced_ = false;       // written since the last push to the disk
    LocalDateTime lineTime_;      // the clock reading of recordLine_
    std::string recordLine_;

    std::string fileName_;
    std::string baseName_;
    std::string extension_;
    uint32_t measurementCounter_ = 0;
    uint32_t partLineCounter_ = 0;
    uint32_t splitThreshold_ = 10;
    uint32_t partNumber_ = 0;
};

}  // namespace quorvel
