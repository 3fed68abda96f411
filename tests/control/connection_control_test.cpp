#include "control/connection_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "control/device_link.h"
#include "link/frame_builder.h"
#include "sync/event_loop.h"
#ifndef _WIN32
#include "sim/pty_module_server.h"
#endif

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class NoFields final : public ParamFieldSink {
  public:
    int ParamDecimals() const override { return 2; }
    void ShowParamText(ParamCode, const std::string&) override {}
    void SelectParamItem(ParamCode, uint32_t) override {}
    void ShowFirmware(const std::string& text) override { firmware = text; }
    std::string firmware;
};

struct Station {
    EventLoop loop;
    NoFields fields;
    SystemClock clock;
    DeviceLink link{loop, fields, clock, RegionalSettings::Polish()};

    template <typename Condition>
    bool Serve(Condition condition) {
        const auto limit = std::chrono::steady_clock::now() + 10s;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > limit) return false;
            loop.RunFor(5ms);
        }
        return true;
    }
    void ChooseDemo() {
        link.connection.RefreshPortList();
        link.com.SetComPortNo(kDemoPortNumber);
    }
};

TEST(ConnectionControl, StartsDisconnectedUntilThePortListIsLoaded) {
    Station s;
    const ConnectionView& view = s.link.connection.View();
    EXPECT_EQ(view.statusPanel, "Rozłączony");
    EXPECT_EQ(view.connectCaption, "Połącz");
    EXPECT_FALSE(view.connectEnabled);
    s.link.connection.RefreshPortList();
    EXPECT_TRUE(view.connectEnabled);
    EXPECT_TRUE(view.deviceBoxEnabled);
}

TEST(ConnectionControl, MissingPortStaysSilent) {
    Station s;
    s.link.connection.RefreshPortList();
    s.link.com.SetPortPath("/dev/quorvel-missing");
    s.link.connection.ConnectButtonClick("COM7");
    EXPECT_FALSE(s.link.state.Connected);
    EXPECT_EQ(s.link.connection.View().connectCaption, "Połącz");
    EXPECT_EQ(s.link.connection.View().statusPanel, "Rozłączony");
    EXPECT_EQ(s.link.state.Stats.TxFrames, 0u);
    EXPECT_NE(s.link.connection.LastConnectError().find("Open Error !!!"), std::string::npos);
}

TEST(ConnectionControl, ConnectShowsThePortAndAsksForTheFirmware) {
    Station s;
    s.ChooseDemo();
    s.link.connection.ConnectButtonClick("Symulator");
    ASSERT_TRUE(s.link.state.Connected);
    const ConnectionView& view = s.link.connection.View();
    EXPECT_EQ(view.statusPanel, "Połączony   Symulator:115200:8:n:1");
    EXPECT_EQ(view.statusLabel1, "Połączony");
    EXPECT_EQ(view.statusLabel2, "Symulator");
    EXPECT_EQ(view.statusLabel3, "115200:8:n:1");
    EXPECT_EQ(view.connectCaption, "Rozłącz");
    EXPECT_FALSE(view.deviceBoxEnabled);
    EXPECT_FALSE(view.refreshEnabled);
    EXPECT_EQ(s.link.state.Stats.TxFrames, 1u);
    ASSERT_TRUE(s.Serve([&] { return !s.fields.firmware.empty(); }));
    EXPECT_EQ(s.fields.firmware, "SIM1");

    ASSERT_TRUE(s.Serve([&] { return s.link.state.Stats.RxFrames > 5; }));
    s.link.connection.ConnectButtonClick("Symulator");
    EXPECT_FALSE(s.link.state.Connected);
    EXPECT_EQ(view.statusPanel, "Rozłączony");
    EXPECT_EQ(view.statusLabel1, "Połączony");  // the labels keep their texts
    EXPECT_TRUE(view.refreshEnabled);
    const uint32_t rx = s.link.state.Stats.RxFrames;
    s.link.connection.ConnectButtonClick("Symulator");  // totals go on
    EXPECT_EQ(s.link.state.Stats.TxFrames, 2u);
    EXPECT_GE(s.link.state.Stats.RxFrames, rx);
    s.link.connection.ConnectButtonClick("Symulator");
}

TEST(ConnectionControl, StatisticsTick) {
    Station s;
    s.link.state.Stats.RateFrames = 50;
    s.link.state.Stats.RxFrames = 4294967295u;
    s.link.state.Stats.TxFrames = 3;
    s.link.state.Stats.ErrorFrames = 2;
    StatisticsView texts = s.link.connection.DataFreqTimerTimer(1.0);
    EXPECT_EQ(texts.rate, "50,00 Hz");
    EXPECT_EQ(texts.rx, "4294967295");
    EXPECT_EQ(texts.tx, "3");
    EXPECT_EQ(texts.errors, "2");
    EXPECT_EQ(s.link.state.Stats.RateFrames, 0u);
    EXPECT_EQ(s.link.connection.DataFreqTimerTimer(1.0).rate, "0,00 Hz");
    s.link.state.Stats.RateFrames = 25;
    EXPECT_EQ(s.link.connection.DataFreqTimerTimer(0.5).rate, "50,00 Hz");
}

TEST(ConnectionControl, DisconnectClosesTheRecordingButKeepsItOn) {
    Station s;
    std::random_device seed;
    const fs::path file = fs::temp_directory_path() / ("quorvel-conn-" + std::to_string(seed()));
    s.link.recorder.file_name_editChange(file.string());
    s.link.recorder.save_buttonClick();
    s.ChooseDemo();
    s.link.connection.ConnectButtonClick("Symulator");
    ASSERT_TRUE(s.Serve([&] { return !s.link.recorder.OpenFileName().empty(); }));
    s.link.connection.ConnectButtonClick("Symulator");
    EXPECT_TRUE(s.link.recorder.OpenFileName().empty());
    EXPECT_TRUE(s.link.recorder.RecordingActive());
    s.link.connection.ConnectButtonClick("Symulator");
    ASSERT_TRUE(s.Serve([&] { return !s.link.recorder.OpenFileName().empty(); }));
    s.link.connection.ConnectButtonClick("Symulator");
    std::string content;
    {
        std::ifstream in(file, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(content.find(kCsvHeader), 0u);
    EXPECT_NE(content.find(kCsvHeader, 1), std::string::npos);  // a second header
    fs::remove(file);
}

#ifndef _WIN32
TEST(ConnectionControl, LostPortShowsAsADisconnect) {
    PtyModuleServer::Options options;
    options.rate = 100;
    PtyModuleServer module(options);
    std::string error;
    ASSERT_TRUE(module.Start(error)) << error;
    Station s;
    bool told = false;
    s.link.connection.OnLinkLost = [&] { told = true; };
    s.link.connection.RefreshPortList();
    s.link.com.SetPortPath(module.SlavePath());
    s.link.connection.ConnectButtonClick("ttyX");
    ASSERT_TRUE(s.link.state.Connected);
    ASSERT_TRUE(s.Serve([&] { return s.link.state.Stats.RxFrames > 3; }));
    module.HangUp();
    ASSERT_TRUE(s.Serve([&] { return told; }));
    EXPECT_FALSE(s.link.state.Connected);
    EXPECT_EQ(s.link.connection.View().statusPanel, "Rozłączony");
    EXPECT_EQ(s.link.connection.View().connectCaption, "Połącz");
    EXPECT_TRUE(s.link.connection.View().refreshEnabled);
}
#endif

}  // namespace
}  // namespace quorvel
