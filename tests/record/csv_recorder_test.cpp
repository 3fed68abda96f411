#include "record/csv_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class FixedClock final : public Clock {
  public:
    LocalDateTime Now() const override { return now; }
    LocalDateTime now{2014, 5, 30, 8, 5, 59, 250};
};

const MeasurementSet kSample{1.25f, 12.0f, 13.25f, -10.75f, 0, 0};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Header() {
    return std::string(kCsvHeader);
}

class CsvRecorderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir = fs::temp_directory_path() / ("quorvel-record-" + std::to_string(seed()));
        fs::create_directories(dir);
        recorder.Options().decimals = 3;
    }
    void TearDown() override {
        recorder.CloseRecordFile();  // Windows keeps an open file from being removed
        fs::remove_all(dir);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void StartRecording(const std::string& name) {
        recorder.file_name_editChange(Path(name));
        recorder.save_buttonClick();
    }
    void Record(int count, float ch1 = 1.25f) {
        MeasurementSet m = kSample;
        m.Ch1 = ch1;
        for (int i = 0; i < count; ++i) recorder.RecordMeasurement(m);
    }
    // LICZNIK values of the data lines of a file.
    std::vector<int> Counters(const std::string& name) const {
        std::vector<int> counters;
        std::istringstream lines(ReadFile(Path(name)));
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("DATA;", 0) == 0) continue;
            counters.push_back(std::stoi(line.substr(line.find(';', line.find(';') + 1) + 1)));
        }
        return counters;
    }

    fs::path dir;
    FixedClock clock;
    CsvRecorder recorder{clock, RegionalSettings::Polish()};
};

TEST_F(CsvRecorderTest, HeaderBytes) {
    ASSERT_EQ(kCsvHeader.size(), 63u);
    EXPECT_EQ(kCsvHeader.substr(0, 24), "DATA;GODZINA;LICZNIK;WEJ");
    EXPECT_EQ(static_cast<uint8_t>(kCsvHeader[24]), 0x8C);
    EXPECT_EQ(kCsvHeader.substr(60), ";\r\n");
}

TEST_F(CsvRecorderTest, LinesForColumnChoices) {
    struct Case {
        const char* name;
        RecorderOptions options;
        uint32_t counter;
        const char* line;
        int filled;
    };
    RecorderOptions all;
    all.decimals = 3;
    RecorderOptions counterAndCh1{false, false, true, true, false, false, false, false, false, 3};
    RecorderOptions ch2Only{false, false, false, false, true, false, false, false, false, 3};
    RecorderOptions none{false, false, false, false, false, false, false, false, false, 3};
    RecorderOptions noDecimals = all;
    noDecimals.decimals = 0;
    const Case cases[] = {
        {"all", all, 0, "2014-05-30;08:05:59;0;1,250;12,000;13,250;-10,750;\r\n", 7},
        {"LICZNIK and WEJŚCIE 1", counterAndCh1, 17, ";;17;1,250;;;;\r\n", 2},
        {"WEJŚCIE 2", ch2Only, 0, ";;;;12,000;;;\r\n", 1},
        {"none", none, 0, ";;;;;;;\r\n", 0},
        {"0 decimals", noDecimals, 3, "2014-05-30;08:05:59;3;1;12;13;-11;\r\n", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CsvRecorder recorder(clock, RegionalSettings::Polish());
        recorder.Options() = c.options;
        recorder.file_name_editChange(Path("x.csv"));
        for (uint32_t i = 0; i < c.counter; ++i) recorder.RecordMeasurement(kSample);
        EXPECT_EQ(recorder.BuildRecordLine(kSample), c.filled);
        EXPECT_EQ(recorder.RecordLine(), c.line);
    }
}

TEST_F(CsvRecorderTest, ColumnThatCannotBeWrittenAsBytesHoldsDashes) {
    RegionalSettings arabic = RegionalSettings::Polish();
    arabic.decimalSeparator = "\xD9\xAB";  // U+066B, beyond single bytes
    CsvRecorder recorder(clock, arabic);
    EXPECT_EQ(recorder.BuildRecordLine(kSample), 3);
    EXPECT_EQ(recorder.RecordLine(), "2014-05-30;08:05:59;0;---;---;---;---;\r\n");
    recorder.Options() =
        RecorderOptions{false, false, false, true, false, false, false, false, false, 2};
    recorder.file_name_editChange(Path("never.csv"));
    recorder.save_buttonClick();
    recorder.RecordMeasurement(kSample);  // nothing could be filled: nothing written
    EXPECT_FALSE(fs::exists(Path("never.csv")));
}

TEST_F(CsvRecorderTest, RecordingWritesHeaderAndLinesWithCrLf) {
    StartRecording("pomiary.csv");
    Record(2);
    recorder.CloseRecordFile();
    const std::string line = "2014-05-30;08:05:59;%;1,250;12,000;13,250;-10,750;\r\n";
    std::string expected = Header();
    for (const char* counter : {"0", "1"}) {
        std::string l = line;
        l.replace(l.find('%'), 1, counter);
        expected += l;
    }
    EXPECT_EQ(ReadFile(Path("pomiary.csv")), expected);
}

TEST_F(CsvRecorderTest, AllColumnsOffWritesNothingAndCountsNothing) {
    recorder.Options() =
        RecorderOptions{false, false, false, false, false, false, false, false, false, 3};
    StartRecording("pomiary.csv");
    Record(5);
    EXPECT_EQ(recorder.MeasurementCounter(), 0u);
    EXPECT_EQ(recorder.PartLineCounter(), 0u);
    EXPECT_FALSE(fs::exists(Path("pomiary.csv")));
}

TEST_F(CsvRecorderTest, NotRecordingStillCountsButTouchesNoDisk) {
    recorder.file_name_editChange(Path("pomiary.csv"));
    Record(4);
    EXPECT_EQ(recorder.MeasurementCounter(), 4u);
    EXPECT_FALSE(fs::exists(Path("pomiary.csv")));
    recorder.save_buttonClick();  // starting resets the counters
    EXPECT_EQ(recorder.MeasurementCounter(), 0u);
    Record(1);
    EXPECT_EQ(Counters("pomiary.csv"), std::vector<int>{0});
}

TEST_F(CsvRecorderTest, SplittingEveryTenRecords) {
    for (bool clear : {false, true}) {
        SCOPED_TRACE(clear ? "clear_cnt" : "counting on");
        CsvRecorder recorder(clock, RegionalSettings::Polish());
        recorder.Options().cutFile = true;
        recorder.Options().clearCnt = clear;
        recorder.file_cntChange(0);
        const std::string name = clear ? "cleared.csv" : "counted.csv";
        recorder.file_name_editChange(Path(name));
        recorder.save_buttonClick();
        for (int i = 0; i < 20; ++i) recorder.RecordMeasurement(kSample);
        recorder.CloseRecordFile();
        const std::string stem = clear ? "cleared" : "counted";
        std::vector<int> first(10), second(10);
        for (int i = 0; i < 10; ++i) first[i] = i, second[i] = clear ? i : 10 + i;
        EXPECT_EQ(Counters(stem + "_0.csv"), first);
        EXPECT_EQ(Counters(stem + "_1.csv"), second);
        EXPECT_EQ(ReadFile(Path(stem + "_1.csv")).rfind(Header(), 0), 0u);
        EXPECT_FALSE(fs::exists(Path(stem + "_2.csv")));
        EXPECT_FALSE(fs::exists(Path(name)));
    }
}

TEST_F(CsvRecorderTest, SmallerThresholdMidPartEndsThePartAfterTheNextRecord) {
    recorder.Options().cutFile = true;
    recorder.file_cntChange(1);  // 100
    StartRecording("p.csv");
    Record(15);
    recorder.file_cntChange(0);  // 10, while 15 records are in the part
    EXPECT_EQ(recorder.PartLineCounter(), 15u);
    Record(2);
    recorder.CloseRecordFile();
    EXPECT_EQ(Counters("p_0.csv").size(), 16u);
    EXPECT_EQ(Counters("p_1.csv"), std::vector<int>{16});
}

TEST_F(CsvRecorderTest, PartFileNames) {
    struct Case {
        const char* name;
        const char* part;
    };
    const Case cases[] = {{"C:\\dane\\pomiary.csv", "C:\\dane\\pomiary_0.csv"},
                          {"dane", "_0dane"},
                          {"ab", "ab_0"},
                          {"pomiary.data", "pomiary._0data"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.Options().cutFile = true;
        recorder.file_name_editChange(c.name);
        EXPECT_EQ(recorder.CurrentFileName(), c.part);
        recorder.Options().cutFile = false;
        EXPECT_EQ(recorder.CurrentFileName(), c.name);
    }
}

TEST_F(CsvRecorderTest, ReopeningAppendsASecondHeader) {
    StartRecording("pomiary.csv");
    Record(1);
    recorder.CloseRecordFile();  // the link went down; recording stays on
    EXPECT_TRUE(recorder.RecordingActive());
    Record(1);
    recorder.save_buttonClick();  // stop
    recorder.save_buttonClick();  // and start again on the same file
    Record(1);
    recorder.CloseRecordFile();
    const std::string content = ReadFile(Path("pomiary.csv"));
    size_t headers = 0;
    for (size_t at = content.find(Header()); at != std::string::npos;
         at = content.find(Header(), at + 1)) {
        ++headers;
    }
    EXPECT_EQ(headers, 3u);
    EXPECT_EQ(Counters("pomiary.csv"), (std::vector<int>{0, 1, 0}));
}

TEST_F(CsvRecorderTest, EmptyFileNameCannotStartRecording) {
    recorder.Options().cutFile = false;
    Record(3);
    const RecorderCaptions captions = recorder.save_buttonClick();
    EXPECT_FALSE(recorder.RecordingActive());
    EXPECT_EQ(recorder.MeasurementCounter(), 0u);
    EXPECT_STREQ(captions.saveButton, "Rozpocznij zapis");
    EXPECT_TRUE(captions.fileButtonEnabled);
    EXPECT_STREQ(captions.status, "Zapis: niektywny");
    recorder.file_name_editChange(Path("a.csv"));
    const RecorderCaptions on = recorder.save_buttonClick();
    EXPECT_STREQ(on.saveButton, "Zatrzymaj zapis");
    EXPECT_FALSE(on.fileButtonEnabled);
    EXPECT_STREQ(on.status, "Zapis: aktywny");
}

TEST_F(CsvRecorderTest, MissingFolderIsRetriedInALaterSecond) {
    const std::string name = "later/pomiary.csv";
    StartRecording(name);
    Record(3, 1.0f);  // the folder is missing: these are lost
    fs::create_directories(dir / "later");
    Record(2, 2.0f);  // same second: not tried again yet
    clock.now.second += 1;
    Record(2, 3.0f);
    recorder.CloseRecordFile();
    const std::string content = ReadFile(Path(name));
    EXPECT_EQ(content.rfind(Header(), 0), 0u);
    EXPECT_EQ(Counters(name), (std::vector<int>{5, 6}));
    EXPECT_EQ(content.find("1,000"), std::string::npos);
}

TEST_F(CsvRecorderTest, FailedWritesLoseOnlyTheirRecords) {
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/full on Windows";
#else
    recorder.file_name_editChange("/dev/full");
    recorder.save_buttonClick();
    Record(3);
    clock.now.second += 1;
    Record(3);
    EXPECT_EQ(recorder.MeasurementCounter(), 6u);
    EXPECT_EQ(recorder.OpenFileName(), "/dev/full");
    recorder.save_buttonClick();
    StartRecording("after.csv");  // the next file works as usual
    Record(1);
    EXPECT_EQ(Counters("after.csv"), std::vector<int>{0});
#endif
}

}  // namespace
}  // namespace quorvel
