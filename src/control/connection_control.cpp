#include "control/connection_control.h"

#include "regional/number_text.h"

namespace quorvel {

ConnectionControl::ConnectionControl(LinkState& link, FrameReceiver& receiver, TscComm& com,
                                     ParamCommands& commands, CsvRecorder& recorder,
                                     RegionalSettings regional)
    : link_(link),
      receiver_(receiver),
      com_(com),
      commands_(commands),
      recorder_(recorder),
      regional_(std::move(regional)) {
    com_.NotifyAdd(this, [this](TscBaseIO*, int code) {
        // The component closed a port it lost; a disconnect of our own has cleared
        // Connected before closing.
        if (code == kListenerClosed && link_.Connected) {
            Disconnect();
            if (OnLinkLost) OnLinkLost();
        }
    });
}

ConnectionControl::~ConnectionControl() {
    com_.NotifyDelete(this);
}

void ConnectionControl::ConnectButtonClick(const std::string& deviceBoxText) {
    if (link_.Connected) {
        Disconnect();
    } else {
        Connect(deviceBoxText);
    }
}

void ConnectionControl::Connect(const std::string& deviceBoxText) {
    receiver_.Reset();
    try {
        com_.SetActive(true);
        link_.Connected = true;
        view_.deviceBoxEnabled = false;
        view_.statusPanel = "Połączony   " + deviceBoxText + ":" + kLineSettings;
        view_.statusLabel1 = "Połączony";
        view_.statusLabel2 = deviceBoxText;
        view_.statusLabel3 = kLineSettings;
        view_.connectCaption = "Rozłącz";
        commands_.ReadParam(pcFirmware);
        view_.refreshEnabled = false;
        lastConnectError_.clear();
    } catch (const std::exception& e) {
        lastConnectError_ = e.what();
    }
}

void ConnectionControl::Disconnect() {
    link_.Connected = false;
    com_.SetActive(false);
    view_.deviceBoxEnabled = true;
    view_.statusPanel = "Rozłączony";
    view_.connectCaption = "Połącz";
    recorder_.CloseRecordFile();
    view_.refreshEnabled = true;
}

void ConnectionControl::RefreshPortList() {
    com_.Update();
    view_.deviceBoxEnabled = true;
    view_.connectEnabled = true;
    link_.Connected = false;
}

StatisticsView ConnectionControl::DataFreqTimerTimer(double intervalSeconds) {
    LinkStats& stats = link_.Stats;
    stats.FrameRate = static_cast<float>(stats.RateFrames / intervalSeconds);
    stats.RateFrames = 0;
    StatisticsView texts;
    texts.rate = FormatFixed(stats.FrameRate, 2, regional_) + " Hz";
    texts.tx = std::to_string(stats.TxFrames);
    texts.rx = std::to_string(stats.RxFrames);
    texts.errors = std::to_string(stats.ErrorFrames);
    return texts;
}

}  // namespace quorvel
