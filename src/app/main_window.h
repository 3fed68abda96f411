#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/qt_gui_thread.h"
#include "control/device_link.h"
#include "control/readouts.h"
#include "link/frame_interpreter.h"
#include "regional/date_time_text.h"
#include "regional/regional_settings.h"
#include "timing/hi_res_timer.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimeEdit;

namespace quorvel {

class TrendChart;
class TscDeviceBox;

// The main window: readouts and chart on the left, the options area on the right that the
// window's width opens and closes, the button row, the web-address strip and the status
// bar. Every handler keeps the name of its control and event and stays thin: it reads its
// controls, calls the link, the recorder or the chart, and paints what comes back.
//
// Thread safety: GUI thread only; the two timers and the serial port deliver their events
// there.
class TFMain : public QWidget, private ParamFieldSink {
    Q_OBJECT

  public:
    // `settingsPath` is "config.ini" beside the executable. `errorBox` shows an error in the
    // standard error box (tests catch it instead).
    TFMain(const RegionalSettings& regional, std::string settingsPath,
           std::function<void(const QString&)> errorBox = nullptr, QWidget* parent = nullptr);
    ~TFMain() override;

    DeviceLink& Link() { return *link_; }
    TrendChart& Chart() { return *Chart1; }
    QString ShowCaption(int channel) const;

    // The window's layout switches (also used by the start-up).
    void OptionsButtonClick();
    void ShowBanerClick();
    void DisplayButtonClick();
    void ChartButtonClick();
    void ConnectButtonClick();
    void RefreshPortList();
    void DataFreqTimerTimer();
    void DataShowTimerTimer();
    void ApplyChartSettings();

  private:
    // Building the window.
    void BuildBanner();
    void BuildWorkArea();
    void BuildButtonRow();
    void BuildAdcMathPanel();
    void BuildParameterRow(QWidget* panel, const ParamField& field, const char* caption, int y,
                           int labelX, int fieldX, int fieldWidth, int readX, int writeX);
    void BuildSavePanel();
    void BuildConnectionPanel();
    void BuildViewPanel();
    void BuildMorePanel();
    void FormCreate();
    void FormDestroy();
    bool LoadSettings();
    bool SaveSettings();

    // Handlers.
    void ShowHintClick();
    void HelpButtonClick();
    void LabelBanerClick();
    void MoreItemChange();
    void ShowOptionsPanel(QWidget* panel);
    void ShowSubPanel(QWidget* panel);
    void ReadButtonClick(const ParamField& field);
    void WriteButtonClick(const ParamField& field);
    void calib3Change(QLineEdit* edit);
    void SpeedButton1Click();
    void save_buttonClick();
    void file_name_buttonClick();
    void file_name_editChange();
    void cut_fileClick();
    void file_cntChange();
    void RecordingOptionsChange();
    void ShowClick(int channel);
    void PositionChange(int channel);
    void NameChange(int channel);
    void ChartTimeChange();
    void ShowData();

    void PaintConnection();
    void PaintRecording(const RecorderCaptions& captions);
    void PaintFieldOutcome(QLineEdit* edit, const FieldOutcome& outcome);
    double ChartWindowSeconds() const;

    // ParamFieldSink: the module's answers land in the option panels.
    int ParamDecimals() const override;
    void ShowParamText(ParamCode code, const std::string& text) override;
    void SelectParamItem(ParamCode code, uint32_t index) override;
    void ShowFirmware(const std::string& text) override;

    RegionalSettings regional_;
    std::string settingsPath_;
    std::function<void(const QString&)> errorBox_;
    QtGuiThread gui_;
    SystemClock clock_;
    std::unique_ptr<DeviceLink> link_;
    Readouts readouts_;

    // Banner and bottom strip.
    QLabel* ImgBaner1 = nullptr;
    QLabel* ImgBaner2 = nullptr;
    std::array<QLabel*, 4> bannerLines_{};
    QFrame* Baner = nullptr;
    QLabel* LabelBaner = nullptr;
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, 3> statusPanels_{};

    // Work area.
    QFrame* DisplayPanel = nullptr;
    QFrame* ChartPanel = nullptr;
    TrendChart* Chart1 = nullptr;
    std::array<QLabel*, 4> readoutCaptions_{};
    std::array<QLineEdit*, 4> readouts_fields_{};

    // Button row.
    std::vector<QAbstractButton*> buttonRow_;
    QPushButton* OptionsButton = nullptr;
    QPushButton* DisplayButton = nullptr;
    QPushButton* ChartButton = nullptr;

    // Options area.
    std::array<QFrame*, 5> optionPanels_{};
    std::array<QFrame*, 4> subPanels_{};
    std::map<int, QLineEdit*> paramEdits_;  // by code
    std::map<int, QComboBox*> paramLists_;  // by code
    std::array<QLineEdit*, 4> unitFields_{};
    std::array<QLineEdit*, 4> nameFields_{};

    QCheckBox* save_auto = nullptr;
    std::array<QCheckBox*, 7> saveColumns_{};  // date, time, counter, adc1, adc2, math1, math2
    QLineEdit* file_name_edit = nullptr;
    QPushButton* file_name_button = nullptr;
    QCheckBox* cut_file = nullptr;
    QComboBox* file_cnt = nullptr;
    QCheckBox* clear_cnt = nullptr;
    QPushButton* save_button = nullptr;

    QLabel* rx_label = nullptr;
    QLabel* tx_label = nullptr;
    QLabel* error_label = nullptr;
    QLabel* freq_label = nullptr;
    std::array<QLabel*, 3> statusLabels_{};
    QLabel* firm_label = nullptr;
    QPushButton* ConnectButton = nullptr;
    TscDeviceBox* scDeviceBox = nullptr;
    QPushButton* RefreshButton = nullptr;

    std::array<QCheckBox*, 4> showOptions_{};
    std::array<QLabel*, 4> showCaptions_{};
    std::array<QComboBox*, 4> positions_{};
    QCheckBox* ShowBaner = nullptr;
    QCheckBox* ShowHint = nullptr;
    QComboBox* DecimalPoint1ComboBox = nullptr;
    QComboBox* DecimalPoint2ComboBox = nullptr;
    QTimeEdit* ChartTime = nullptr;
    QLineEdit* chmin = nullptr;
    QLineEdit* chmax = nullptr;

    QComboBox* MoreItem = nullptr;
    QPlainTextEdit* MoreMemo = nullptr;
    QLabel* MoreImage = nullptr;

    std::unique_ptr<THiResTimer> DataShowTimer;
    std::unique_ptr<THiResTimer> DataFreqTimer;
};

}  // namespace quorvel
