#include "serial/tsc_comm.h"

#include <gtest/gtest.h>

#include <chrono>

#include "link/frame_builder.h"
#include "link/frame_receiver.h"
#include "sync/event_loop.h"

namespace quorvel {
namespace {

using namespace std::chrono_literals;

TEST(TscComm, PropertiesAfterConstruction) {
    EventLoop loop;
    TscComm com(loop);
    EXPECT_FALSE(com.Active());
    EXPECT_EQ(com.BaudRate(), 19200u);
    EXPECT_EQ(com.ComPortNo(), 1);
    EXPECT_EQ(com.ComPort(), TComPort::cpCOM1);
    EXPECT_EQ(com.StreamProtocol(), TStreamProtocol::spHardware);
    EXPECT_EQ(com.BufferInSize(), 8192);
    EXPECT_TRUE(com.UseMainThread());
    EXPECT_EQ(com.EventMask(), EV_RXCHAR);

    com.SetByteSize(3);
    EXPECT_EQ(com.ByteSize(), 8);
    com.SetByteSize(9);
    EXPECT_EQ(com.ByteSize(), 8);
    com.SetByteSize(7);
    EXPECT_EQ(com.ByteSize(), 7);
    com.SetParity(TParity::pEven);
    EXPECT_TRUE(com.LineConfig().flags & Dcb::fParity);
    com.SetParity(TParity::pNone);
    EXPECT_FALSE(com.LineConfig().flags & Dcb::fParity);

    com.SetComPortNo(12);
    EXPECT_EQ(com.ComPort(), TComPort::cpCOMxx);
    com.SetComPort(TComPort::cpCOMxx);
    EXPECT_EQ(com.ComPortNo(), 12);
    com.SetComPort(TComPort::cpCOM4);
    EXPECT_EQ(com.ComPortNo(), 4);

    com.SetActive(false);  // closed already: nothing
    uint8_t byte = 0x55;
    com.SendData(&byte, 1);  // closed: nothing sent, counted or reported
    EXPECT_EQ(com.TotalSent(), 0u);
}

// The message names the port and carries the system's own text for the error, which differs
// between the systems: "No such file or directory" on Linux, the text of error 2 (file not
// found) on Windows.
TEST(TscComm, OpenFailureMessage) {
    EventLoop loop;
    TscComm com(loop);
#ifdef _WIN32
    const std::string port = "COM7";
    com.SetComPortNo(7);
#else
    const std::string port = "/dev/quorvel-no-such-port";
    com.SetPortPath(port);
#endif
    const std::string prefix = "Device \"" + port + "\" Open Error !!!\r";
    try {
        com.SetActive(true);
        FAIL() << "a missing port opened";
    } catch (const EComponentError& e) {
        const std::string message = e.what();
        ASSERT_EQ(message.substr(0, prefix.size()), prefix);
        const std::string text = message.substr(prefix.size());
#ifdef _WIN32
        EXPECT_FALSE(text.empty());
        EXPECT_NE(text.back(), '.');  // trailing full stops and blanks removed
        EXPECT_GT(static_cast<unsigned char>(text.back()), 32);
#else
        EXPECT_EQ(text, "No such file or directory");
#endif
        EXPECT_EQ(com.LastErrorString(), message);
    }
    EXPECT_FALSE(com.Active());
}

TEST(TscComm, PortListEndsWithTheDemoModule) {
    EventLoop loop;
    TscComm com(loop);
    std::vector<int> codes;
    com.NotifyAdd(&codes, [&](TscBaseIO*, int code) { codes.push_back(code); });
    com.NotifyAdd(&codes, [&](TscBaseIO*, int code) { codes.push_back(100 + code); });  // once
    com.Update();
    EXPECT_EQ(codes, std::vector<int>{kListenerChanged});
    ASSERT_GE(com.DeviceCount(), 1);
    const TscDevice* last = com.GetDevice(com.DeviceCount() - 1);
    EXPECT_EQ(last->NameFriendly, kDemoPortName);
    for (int i = 0; i < com.DeviceCount(); ++i) EXPECT_EQ(com.GetDevice(i)->Index, i);
    com.SetDeviceIndex(com.DeviceCount() - 1);
    EXPECT_EQ(com.ComPortNo(), kDemoPortNumber);
    EXPECT_EQ(com.ComName(), kDemoPortName);
    EXPECT_EQ(com.DeviceIndex(), com.DeviceCount() - 1);
    EXPECT_EQ(codes.back(), kListenerChanged);
    com.SetDeviceIndex(com.DeviceCount());  // outside the list: nothing
    EXPECT_EQ(com.ComPortNo(), kDemoPortNumber);
    com.NotifyDelete(&codes);
}

// The demo module streams and answers as a module on a real port would.
TEST(TscComm, DemoModuleStreamsAndAnswers) {
    EventLoop loop;
    LinkState link;
    link.Connected = true;
    struct Log final : FrameHandler {
        void ProcessFrame(const uint8_t* frame, size_t) override { codes.push_back(frame[3]); }
        std::vector<int> codes;
    } log;
    FrameReceiver receiver(link, log);
    TscComm com(loop);
    com.OnAfterReceive = [&](TscBaseIO* c, const uint8_t* b, uint32_t n) {
        receiver.scComAfterReceive(c, b, n);
    };
    com.Update();
    com.SetComPortNo(kDemoPortNumber);
    std::vector<int> codes;
    com.NotifyAdd(&codes, [&](TscBaseIO*, int code) { codes.push_back(code); });
    com.SetActive(true);
    ASSERT_TRUE(com.Active());
    const auto request = MakeReadRequest(24);
    com.SendData(request.data(), request.size());
    EXPECT_EQ(com.TotalSent(), 6u);
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (link.Stats.RxFrames < 10 && std::chrono::steady_clock::now() < limit) {
        loop.RunFor(10ms);
    }
    EXPECT_GE(link.Stats.RxFrames, 10u);
    EXPECT_EQ(link.Stats.ErrorFrames, 0u);
    EXPECT_NE(std::find(log.codes.begin(), log.codes.end(), 24), log.codes.end());
    com.SetActive(false);
    EXPECT_EQ(codes, (std::vector<int>{kListenerOpened, kListenerClosed}));
    const uint32_t frames = link.Stats.RxFrames;
    loop.RunFor(50ms);
    EXPECT_EQ(link.Stats.RxFrames, frames);  // nothing after Active reads false
}

}  // namespace
}  // namespace quorvel
