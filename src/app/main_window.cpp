#include "app/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimeEdit>
#include <QUrl>

#include "app/artwork.h"
#include "app/device_box.h"
#include "app/file_version.h"
#include "link/param_table.h"
#include "regional/number_text.h"
#include "settings/app_options.h"
#include "view/captions.h"
#include "view/trend_chart.h"

namespace quorvel {
namespace {

// Client sizes; on Windows the frame adds 6 and 35 pixels, giving the outer 670/416 by
// 635/555 of the design.
constexpr int kWideClient = 664;
constexpr int kNarrowClient = 410;
constexpr int kTallClient = 600;
constexpr int kShortClient = 520;
constexpr int kBannerDrop = 80;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The application-wide hint switch: with it off no control shows its hint.
class HintSwitch final : public QObject {
  public:
    bool on = true;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip && !on) return true;
        return QObject::eventFilter(watched, event);
    }
};

HintSwitch& Hints() {
    static HintSwitch* hints = [] {
        auto* h = new HintSwitch;
        qApp->installEventFilter(h);
        return h;
    }();
    return *hints;
}

// Edit fields and lists of the parameter panels call their change-and-click handler: the
// click half comes through this filter.
class ClickFilter final : public QObject {
  public:
    explicit ClickFilter(std::function<void()> onClick, QObject* parent)
        : QObject(parent), onClick_(std::move(onClick)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) onClick_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onClick_;
};

template <typename Widget>
Widget* Make(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* Caption(QWidget* parent, const char* text, int x, int y, int w = 120, int h = 16) {
    auto* label = new QLabel(Text(text), parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QFrame* Panel(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* panel = Make<QFrame>(parent, name, x, y, w, h);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    return panel;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint, int x,
                    int y, int w, int h) {
    auto* button = Make<QPushButton>(parent, name, x, y, w, h);
    button->setText(Text(caption));
    if (hint != nullptr) button->setToolTip(Text(hint));
    return button;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, int x, int y,
                 int w = 220) {
    auto* box = Make<QCheckBox>(parent, name, x, y, w, 18);
    box->setText(Text(caption));
    box->setChecked(true);
    return box;
}

QComboBox* List(QWidget* parent, const char* name, const QStringList& items, int x, int y, int w) {
    auto* list = Make<QComboBox>(parent, name, x, y, w, 21);
    list->addItems(items);
    return list;
}

QStringList Items(std::span<const char* const> items) {
    QStringList list;
    for (const char* item : items) list << Text(item);
    return list;
}

QStringList Digits(int from, int to) {
    QStringList list;
    for (int i = from; i <= to; ++i) list << QString::number(i);
    return list;
}

QString MoreText(int index) {
    static const char* const kTexts[5] = {
        "Modyfikacja oprogramowania:\n\nOferujemy możliwość modyfikacji oprogramowania według "
        "Państwa pomysłów i potrzeb aplikacji. Proponujemy możliwość:\n - zmiany szaty "
        "graficznej programu,\n - zmiany zasady działania i funkcji,\n - personalizacji "
        "programu,\n - ...,\n - projekt programu od podstaw.\n\n\nZapraszamy do kontaktu:\n",
        "Grafika:\n\n - zmiana kolorystyki programu,\n - zmiana położenia przycisków w "
        "programie,\n - zmiana wielkości okien programu,\n - ...,\n\n\nZapraszamy do kontaktu:\n",
        "Funkcje i zasada działania:\n\n - dodanie hasła dostępu do zakładki Opcje,\n - dodanie "
        "progów dla mierzonych wielkości (np. zmiana kolorów czcionki po przekroczeniu "
        "wartości),\n - możliwość pracy z kilkoma modułami Quorvel,\n - ...,\n\n\nZapraszamy do "
        "kontaktu:\n",
        "Personalizacja:\n\n - zmiana baneru na baner Twojej firmy / uczelni,\n - zmiana nazwy "
        "programu,\n - zmiana kolorów grafiki na kolory Twojej firmy / uczelni,\n - ...,\n\n\n"
        "Zapraszamy do kontaktu:\n",
        "Program dedykowany:\n\nOferujemy również możliwość zaprojektowania oprogramowania od "
        "podstaw, pod konkretne wymogi Państwa aplikacji.\n\n\nZapraszamy do kontaktu:\n",
    };
    return Text(kTexts[index]) + Text(kProducerEmail);
}

QColor ToQColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void SetFieldColour(QLineEdit* edit, std::optional<QColor> colour) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     colour ? *colour : QApplication::palette().color(QPalette::Base));
    edit->setPalette(palette);
}

}  // namespace

TFMain::TFMain(const RegionalSettings& regional, std::string settingsPath,
               std::function<void(const QString&)> errorBox, QWidget* parent)
    : QWidget(parent),
      regional_(regional),
      settingsPath_(std::move(settingsPath)),
      errorBox_(std::move(errorBox)) {
    if (!errorBox_) {
        errorBox_ = [](const QString& text) {
            QMessageBox::critical(nullptr, Text("Quorvel Analog"), text);
        };
    }
    ParamFieldSink& fields = *this;
    link_ = std::make_unique<DeviceLink>(gui_, fields, clock_, regional_);
    link_->com.ShowErrorBox = [this](const std::string& message) {
        errorBox_(QString::fromStdString(message));
    };
    link_->connection.OnLinkLost = [this] { PaintConnection(); };

    setFont(ProgramFont(11));
    setWindowIcon(AppIcon());
    Hints();

    BuildBanner();
    BuildWorkArea();
    BuildButtonRow();
    const int optionsTop = 88;
    const char* const panelNames[5] = {"OptionsAdcMathPanel", "OptionsSavePanel",
                                       "OptionsConnectionPanel", "OptionsViewPanel",
                                       "OptionsMorePanel"};
    for (int i = 0; i < 5; ++i) {
        optionPanels_[i] = Panel(this, panelNames[i], 418, optionsTop, 238, 404);
        optionPanels_[i]->hide();
    }
    BuildAdcMathPanel();
    BuildSavePanel();
    BuildConnectionPanel();
    BuildViewPanel();
    BuildMorePanel();
    ShowOptionsPanel(optionPanels_[2]);  // the connection panel is selected at start

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    const int widths[3] = {180, 80, 120};
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(StatusBar);
        statusPanels_[i]->setFixedWidth(widths[i]);
        statusPanels_[i]->setFrameShape(QFrame::Panel);
        statusPanels_[i]->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(statusPanels_[i]);
    }
    statusPanels_[0]->setText(Text("Rozłączony"));

    // The timers run from the window's creation; their handlers run on this thread.
    DataShowTimer = std::make_unique<THiResTimer>(gui_, 0.04);
    DataShowTimer->SetNeedSynchronization(true);
    DataShowTimer->SetOnTimer([this](THiResTimer&) { DataShowTimerTimer(); });
    DataFreqTimer = std::make_unique<THiResTimer>(gui_, 1.0);
    DataFreqTimer->SetNeedSynchronization(true);
    DataFreqTimer->SetOnTimer([this](THiResTimer&) { DataFreqTimerTimer(); });

    // The recorder follows its controls from now on; the initial values go over once.
    file_name_editChange();
    RecordingOptionsChange();
    OptionsButtonClick();
    FormCreate();
}

TFMain::~TFMain() {
    FormDestroy();
    // The timers first: no tick may reach a window that is going.
    DataShowTimer.reset();
    DataFreqTimer.reset();
    scDeviceBox->SetScComm(nullptr);  // the box outlives the link: children go last
}

void TFMain::FormCreate() {
    uint16_t major = 0, minor = 0, release = 0, build = 0;
    QueryFileVersion(major, minor, release, build);
    setWindowTitle(QStringLiteral("Quorvel Analog PC  [%1.%2]").arg(major).arg(minor));
    RefreshPortList();
    for (int i = 0; i < 4; ++i) readoutCaptions_[i]->setText(ChannelBaseName(i));
    if (!LoadSettings()) return;
    cut_fileClick();
    file_cntChange();
    OptionsButtonClick();
    if (save_auto->isChecked()) save_buttonClick();
    PaintRecording(link_->recorder.SetRecording());
    DataFreqTimerTimer();
    MoreItemChange();
    for (int i = 0; i < 4; ++i) PositionChange(i);
    ShowBanerClick();
    ShowHintClick();
    link_->recorder.CloseRecordFile();  // OpenFileName empty: the first record opens the file
    for (int i = 0; i < 4; ++i) {
        readouts_fields_[i]->setStyleSheet(
            QStringLiteral("color: %1").arg(TrendChart::SeriesColor(i).name()));
    }
    for (int i = 0; i < 4; ++i) NameChange(i);
    Chart1->SetBottomLabelFormat(QStringLiteral("dd/mm/yy\rhh:mm:ss"));
    ApplyChartSettings();
}

void TFMain::FormDestroy() {
    link_->recorder.CloseRecordFile();
    if (link_->state.Connected) {
        link_->state.Connected = false;
        link_->com.SetActive(false);
    }
    SaveSettings();
}

bool TFMain::LoadSettings() {
    ProfileFile file(settingsPath_);
    AppOptions o;
    if (!LoadOptions(file, regional_, o)) {
        errorBox_(
            QStringLiteral("Unable to write to %1.").arg(QString::fromStdString(settingsPath_)));
        return false;
    }
    const auto select = [](QComboBox* list, int32_t index) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    };
    for (int i = 0; i < 4; ++i) unitFields_[i]->setText(QString::fromStdString(o.units[i]));
    for (int i = 0; i < 4; ++i) nameFields_[i]->setText(QString::fromStdString(o.names[i]));
    for (int i = 0; i < 4; ++i) {
        showOptions_[i]->setChecked(o.show[i]);
        ShowClick(i);
    }
    select(DecimalPoint1ComboBox, o.decPoint1);
    select(DecimalPoint2ComboBox, o.decPoint2);
    move(o.screenLeft, o.screenTop);
    OptionsButton->setChecked(o.startWidth);
    save_auto->setChecked(o.saveStart);
    for (int i = 0; i < 7; ++i) saveColumns_[i]->setChecked(o.saveColumns[i]);
    file_name_edit->setText(QString::fromStdString(o.fileName));
    file_name_editChange();  // also when the text was already the same
    cut_file->setChecked(o.cutFile);
    clear_cnt->setChecked(o.clearCnt);
    select(file_cnt, o.cutCnt);
    for (int i = 0; i < 4; ++i) select(positions_[i], o.positions[i]);
    ShowBaner->setChecked(o.showBaner);
    ShowBanerClick();
    ShowHint->setChecked(o.showHint);
    ShowHintClick();
    chmin->setText(QString::fromStdString(o.chartYmin));
    chmax->setText(QString::fromStdString(o.chartYmax));
    ChartTime->setTime(QTime(0, 0, 0).addSecs(o.chartTime));
    RecordingOptionsChange();
    return true;
}

bool TFMain::SaveSettings() {
    AppOptions o;
    for (int i = 0; i < 4; ++i) o.units[i] = unitFields_[i]->text().toStdString();
    for (int i = 0; i < 4; ++i) o.names[i] = nameFields_[i]->text().toStdString();
    for (int i = 0; i < 4; ++i) o.show[i] = showOptions_[i]->isChecked();
    o.decPoint1 = DecimalPoint1ComboBox->currentIndex();
    o.decPoint2 = DecimalPoint2ComboBox->currentIndex();
    o.screenTop = y();
    o.screenLeft = x();
    o.startWidth = OptionsButton->isChecked();
    o.saveStart = save_auto->isChecked();
    for (int i = 0; i < 7; ++i) o.saveColumns[i] = saveColumns_[i]->isChecked();
    o.fileName = file_name_edit->text().toStdString();
    o.cutFile = cut_file->isChecked();
    o.clearCnt = clear_cnt->isChecked();
    o.cutCnt = file_cnt->currentIndex();
    for (int i = 0; i < 4; ++i) o.positions[i] = positions_[i]->currentIndex();
    o.showBaner = ShowBaner->isChecked();
    o.showHint = ShowHint->isChecked();
    o.chartTime = static_cast<int32_t>(ChartWindowSeconds());
    o.chartYmin = chmin->text().toStdString();
    o.chartYmax = chmax->text().toStdString();
    ProfileFile file(settingsPath_);
    if (SaveOptions(file, regional_, o)) return true;
    errorBox_(QStringLiteral("Unable to write to %1.").arg(QString::fromStdString(settingsPath_)));
    return false;
}

void TFMain::BuildBanner() {
    ImgBaner1 = Make<QLabel>(this, "ImgBaner1", 8, 2, 648, 80);
    ImgBaner1->setPixmap(BannerImage(648, 80));
    ImgBaner2 = Make<QLabel>(this, "ImgBaner2", 8, 2, 393, 80);
    ImgBaner2->setPixmap(BannerImage(393, 80));
    const char* const lines[4] = {"Moduły pomiarowe Quorvel", "Wejścia 0~10V, 0~20mA, 4~20mA",
                                  "Rejestracja pomiarów do plików CSV",
                                  "Konfiguracja modułu z komputera"};
    const int ys[4] = {8, 26, 44, 63};
    QFont lineFont = font();
    lineFont.setPixelSize(12);
    for (int i = 0; i < 4; ++i) {
        bannerLines_[i] =
            Make<QLabel>(this, ("Label4" + std::to_string(i + 1)).c_str(), 428, ys[i], 220, 16);
        bannerLines_[i]->setText(Text(lines[i]));
        bannerLines_[i]->setFont(lineFont);
        bannerLines_[i]->setStyleSheet(QStringLiteral("color: rgb(240, 240, 240)"));
    }
    for (QLabel* image : {ImgBaner1, ImgBaner2}) {
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(new ClickFilter([this] { LabelBanerClick(); }, image));
    }

    Baner = Make<QFrame>(this, "Baner", 8, 552, 648, 23);
    Baner->setStyleSheet(
        QStringLiteral("background-color: rgb(30, 23, 23); border: 1px solid rgb(29, 24, 27);"));
    LabelBaner = Make<QLabel>(this, "LabelBaner", 219, 552, 158, 19);
    QFont webFont = font();
    webFont.setPixelSize(16);
    LabelBaner->setFont(webFont);
    LabelBaner->setText(QString::fromLatin1(kProducerWebAddress).mid(8));  // without https://
    LabelBaner->setAlignment(Qt::AlignCenter);
    LabelBaner->setStyleSheet(QStringLiteral("color: %1; background: transparent;")
                                  .arg(QApplication::palette().color(QPalette::Button).name()));
    LabelBaner->setCursor(Qt::PointingHandCursor);
    LabelBaner->setToolTip(Text("Strona WWW producenta"));
    LabelBaner->installEventFilter(new ClickFilter([this] { LabelBanerClick(); }, LabelBaner));
}

void TFMain::BuildWorkArea() {
    DisplayPanel = Panel(this, "DisplayPanel", 8, 88, 393, 404);
    ChartPanel = Panel(this, "ChartPanel", 8, 88, 393, 404);
    ChartPanel->hide();
    Chart1 = Make<TrendChart>(ChartPanel, "Chart1", 0, 0, 385, 402);
    Chart1->SetRegional(regional_);
    const char* const names[4] = {"AdcMeasure1", "AdcMeasure2", "MathMeasure1", "MathMeasure2"};
    QFont digits = font();
    digits.setPixelSize(51);
    QFont captionFont = font();
    captionFont.setPixelSize(13);
    for (int i = 0; i < 4; ++i) {
        readouts_fields_[i] = Make<QLineEdit>(DisplayPanel, names[i], 12, 24, 365, 70);
        readouts_fields_[i]->setReadOnly(true);
        readouts_fields_[i]->setFont(digits);
        readouts_fields_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        readoutCaptions_[i] = Caption(DisplayPanel, "", 12, 6, 365, 17);
        readoutCaptions_[i]->setFont(captionFont);
    }
}

void TFMain::BuildButtonRow() {
    struct RowButton {
        const char* name;
        int x;
        int width;
        const char* caption;
        const char* hint;
        const char* glyph;
    };
    const RowButton rowButtons[] = {
        {"HelpButton", 8, 44, "", "Pomoc programu", "help"},
        {"DisplayButton", 58, 112, "Wskazania", "Okno ze wskazaniami", "display"},
        {"ChartButton", 176, 112, "Przebiegi", "Okno z wykresami", "chart"},
        {"OptionsButton", 294, 107, "Opcje >>", "Konfiguracja urządzenia i programu", "options"},
        {"OptionsAdcMathButton", 418, 43, "", "Konfiguracja urządzenia", "module"},
        {"OptionsSaveButton", 467, 43, "", "Konfiguracja zapisu do pliku", "save"},
        {"OptionsConnectionButton", 516, 43, "", "Konfiguracja połączenia", "connection"},
        {"OptionsViewButton", 562, 43, "", "Konfiguracja wyświetlania", "view"},
        {"OptionsMoreButton", 611, 43, "", "Więcej opcji...", "more"},
    };
    auto* viewGroup = new QButtonGroup(this);
    auto* panelGroup = new QButtonGroup(this);
    for (const RowButton& s : rowButtons) {
        QPushButton* b = Button(this, s.name, s.caption, s.hint, s.x, 498, s.width, 48);
        b->setIcon(ButtonGlyph(QString::fromLatin1(s.glyph)));
        b->setIconSize(QSize(24, 24));
        buttonRow_.push_back(b);
    }
    QPushButton* help = static_cast<QPushButton*>(buttonRow_[0]);
    DisplayButton = static_cast<QPushButton*>(buttonRow_[1]);
    ChartButton = static_cast<QPushButton*>(buttonRow_[2]);
    OptionsButton = static_cast<QPushButton*>(buttonRow_[3]);
    connect(help, &QPushButton::clicked, this, [this] { HelpButtonClick(); });
    for (QPushButton* b : {DisplayButton, ChartButton}) {
        b->setCheckable(true);
        viewGroup->addButton(b);
    }
    DisplayButton->setChecked(true);
    connect(DisplayButton, &QPushButton::clicked, this, [this] { DisplayButtonClick(); });
    connect(ChartButton, &QPushButton::clicked, this, [this] { ChartButtonClick(); });
    OptionsButton->setCheckable(true);
    connect(OptionsButton, &QPushButton::clicked, this, [this] { OptionsButtonClick(); });
    for (int i = 0; i < 5; ++i) {
        auto* b = static_cast<QPushButton*>(buttonRow_[4 + i]);
        b->setCheckable(true);
        panelGroup->addButton(b);
        connect(b, &QPushButton::clicked, this, [this, i] { ShowOptionsPanel(optionPanels_[i]); });
    }
    static_cast<QPushButton*>(buttonRow_[6])->setChecked(true);  // the connection panel
}

void TFMain::BuildParameterRow(QWidget* panel, const ParamField& field, const char* caption, int y,
                               int labelX, int fieldX, int fieldWidth, int readX, int writeX) {
    Caption(panel, caption, labelX, y + 3, fieldX - labelX - 2);
    if (field.kind == FieldKind::List) {
        QComboBox* list = List(panel, field.name, Items(field.items), fieldX, y, fieldWidth);
        paramLists_[field.code] = list;
    } else {
        auto* edit = Make<QLineEdit>(panel, field.name, fieldX, y, fieldWidth, 21);
        edit->setMaxLength(field.maxLength);
        paramEdits_[field.code] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { calib3Change(edit); });
        edit->installEventFilter(new ClickFilter([this, edit] { calib3Change(edit); }, edit));
    }
    const bool calibration = field.readButton == nullptr;
    if (!calibration) {
        QPushButton* read =
            Button(panel, field.readButton, "R", "Odczytaj parametr", readX, y, 23, 22);
        connect(read, &QPushButton::clicked, this, [this, &field] { ReadButtonClick(field); });
    }
    const bool module = field.code == pcCalibm1 || field.code == pcCalibm2;
    QPushButton* write =
        calibration ? Button(panel, field.writeButton, module ? "K" : "Kal.",
                             module ? "Oblicz stałą K" : "Wykonaj kalibrację", readX, y, 48, 22)
                    : Button(panel, field.writeButton, "W", "Zapisz parametr", writeX, y, 23, 22);
    connect(write, &QPushButton::clicked, this, [this, &field] { WriteButtonClick(field); });
}

void TFMain::BuildAdcMathPanel() {
    QFrame* options = optionPanels_[0];
    const char* const subNames[4] = {"PanelAdc1", "PanelAdc2", "PanelMath1", "PanelMath2"};
    for (int i = 0; i < 4; ++i) {
        subPanels_[i] = Panel(options, subNames[i], 8, 9, 217, 221);
        subPanels_[i]->setVisible(i == 0);
    }
    const int rows[] = {3, 30, 57, 84, 110, 138, 164, 192};
    for (int input = 0; input < 2; ++input) {
        QFrame* p = subPanels_[input];
        const int k = input;  // 0 for input 1, 1 for input 2
        BuildParameterRow(p, *FindParamField(ParamCode(pcMode1 + k)), "Tryb pracy", rows[0], 8, 72,
                          65, 161, 186);
        QPushButton* defaults = Button(p, input == 0 ? "SpeedButton4" : "SpeedButton5", "D",
                                       "Ustaw domyślne parametry - Wejście MIN, Wejście MAX, "
                                       "Wyjście MIN, Wyjście MAX - dla danego trybu",
                                       138, rows[0], 22, 22);
        connect(defaults, &QPushButton::clicked, this, [this, input] {
            if (input == 0) {
                link_->commands.SpeedButton4Click();
            } else {
                link_->commands.SpeedButton5Click();
            }
        });
        const ParamCode codes[] = {ParamCode(pcUmin1 + k), ParamCode(pcUmax1 + k),
                                   ParamCode(pcWmin1 + k), ParamCode(pcWmax1 + k),
                                   ParamCode(pcCalib1 + k)};
        const char* const captions[] = {"Wejście MIN", "Wejście MAX", "Wyjście MIN", "Wyjście MAX",
                                        "Kalibracja"};
        for (int r = 0; r < 5; ++r) {
            BuildParameterRow(p, *FindParamField(codes[r]), captions[r], rows[r + 1], 8, 72, 83,
                              161, 186);
        }
    }
    for (int function = 0; function < 2; ++function) {
        QFrame* p = subPanels_[2 + function];
        const int k = function;
        BuildParameterRow(p, *FindParamField(ParamCode(pcModem1 + k)), "Funkcja", rows[0], 8, 72,
                          83, 161, 186);
        BuildParameterRow(p, *FindParamField(ParamCode(pcConstm1 + k)), "Stała K", rows[1], 8, 72,
                          83, 161, 186);
        BuildParameterRow(p, *FindParamField(ParamCode(pcCalibm1 + k)), "Kalibracja", rows[5], 8,
                          72, 83, 161, 186);
    }
    const char* const unitNames[4] = {"unit1", "unit2", "unitm1", "unitm2"};
    const char* const nameNames[4] = {"name1", "name2", "namem1", "namem2"};
    for (int i = 0; i < 4; ++i) {
        QFrame* p = subPanels_[i];
        Caption(p, "Jednostka", 8, rows[6] + 3, 62);
        unitFields_[i] = Make<QLineEdit>(p, unitNames[i], 72, rows[6], 137, 21);
        unitFields_[i]->setMaxLength(7);
        QLineEdit* unit = unitFields_[i];
        unit->installEventFilter(new ClickFilter([this, unit] { calib3Change(unit); }, unit));
        connect(unit, &QLineEdit::textChanged, this, [this, unit] { calib3Change(unit); });
        Caption(p, "Nazwa", 8, rows[7] + 3, 62);
        nameFields_[i] = Make<QLineEdit>(p, nameNames[i], 72, rows[7], 137, 21);
        nameFields_[i]->setMaxLength(50);
        connect(nameFields_[i], &QLineEdit::textChanged, this, [this, i] { NameChange(i); });
    }
    struct SubButton {
        const char* name;
        int x;
        const char* caption;
        const char* hint;
    };
    const SubButton subButtons[4] = {
        {"SpeedButton25", 8, "1", "Konfiguracja Wejścia analogowego 1"},
        {"SpeedButton20", 64, "2", "Konfiguracja Wejścia analogowego 2 "},
        {"SpeedButton26", 120, "1", "Konfiguracja Funkcji matematycznej 1"},
        {"SpeedButton27", 176, "2", "Konfiguracja Funkcji matematycznej 2"}};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = Button(options, subButtons[i].name, subButtons[i].caption,
                                subButtons[i].hint, subButtons[i].x, 236, 49, 24);
        b->setCheckable(true);
        b->setChecked(i == 0);
        group->addButton(b);
        connect(b, &QPushButton::clicked, this, [this, i] { ShowSubPanel(subPanels_[i]); });
    }
    const struct {
        ParamCode code;
        const char* caption;
    } moduleRows[] = {{pcFreq, "F pomiaru [Hz]"},
                      {pcFcon, "Filtr ciągły"},
                      {pcFavg, "Filtr uśredniający"},
                      {pcCalib3, "Kalibracja +5V"},
                      {pcUart, "F transmisji [Hz]"}};
    const int moduleYs[] = {266, 292, 319, 347, 373};
    for (int r = 0; r < 5; ++r) {
        BuildParameterRow(options, *FindParamField(moduleRows[r].code), moduleRows[r].caption,
                          moduleYs[r], 16, 104, 66, 176, 204);
    }
}

void TFMain::BuildSavePanel() {
    QFrame* p = optionPanels_[1];
    save_auto = Check(p, "save_auto", "Automatycznie rozpocznij zapis", 8, 15);
    const char* const names[7] = {"save_date", "save_time",  "save_cnt",  "save_adc1",
                                  "save_adc2", "save_math1", "save_math2"};
    const char* const captions[7] = {"Zapisz datę [rrrr-mm-dd]", "Zapisz godzinę [gg:mm:ss]",
                                     "Zapisz licznik pomiarów",  "Zapisz wartość Wejście 1",
                                     "Zapisz wartość Wejście 2", "Zapisz wartość Funkcja 1",
                                     "Zapisz wartość Funkcja 2"};
    const int ys[7] = {44, 66, 87, 117, 140, 163, 186};
    for (int i = 0; i < 7; ++i) {
        saveColumns_[i] = Check(p, names[i], captions[i], 8, ys[i]);
        connect(saveColumns_[i], &QCheckBox::toggled, this, [this] { RecordingOptionsChange(); });
    }
    file_name_edit = Make<QLineEdit>(p, "file_name_edit", 9, 228, 190, 21);
    file_name_edit->setReadOnly(true);
    file_name_edit->setText(QStringLiteral("plik.csv"));
    connect(file_name_edit, &QLineEdit::textChanged, this, [this] { file_name_editChange(); });
    file_name_button = Button(p, "file_name_button", "...",
                              "Zmień lokalizację plików z danymi pomiarowymi", 204, 227, 23, 23);
    connect(file_name_button, &QPushButton::clicked, this, [this] { file_name_buttonClick(); });
    cut_file = Check(p, "cut_file", "Podziel plik co                            pomiarów          ",
                     8, 266);
    cut_file->setChecked(false);
    connect(cut_file, &QCheckBox::toggled, this, [this] {
        cut_fileClick();
        RecordingOptionsChange();
    });
    file_cnt =
        List(p, "file_cnt", {"10", "100", "1000", "10000", "100000", "1000000"}, 93, 262, 70);
    connect(file_cnt, &QComboBox::currentIndexChanged, this, [this] { file_cntChange(); });
    clear_cnt = Check(p, "clear_cnt", "Zeruj licznik pomiarów w nowym pliku", 8, 289);
    clear_cnt->setChecked(false);
    connect(clear_cnt, &QCheckBox::toggled, this, [this] { RecordingOptionsChange(); });
    save_button = Button(p, "save_button", "Rozpocznij zapis",
                         "Rozpocznij / Zatrzymaj zapis do pliku", 8, 352, 217, 35);
    connect(save_button, &QPushButton::clicked, this, [this] { save_buttonClick(); });
}

void TFMain::BuildConnectionPanel() {
    QFrame* p = optionPanels_[2];
    QFrame* info = Panel(p, "Panel1", 8, 11, 217, 295);
    QLabel* title = Caption(info, "Informacje o połączeniu", 8, 8, 200);
    title->setAlignment(Qt::AlignHCenter);
    QFont bold = font();
    bold.setBold(true);
    const char* const titles[] = {"Ramki odebrane:", "Ramki wysłane:", "Ramki błędne:",
                                  "Częstotliwość:",  "Status:",        "Firmware:"};
    const int ys[] = {40, 64, 88, 112, 150, 240};
    for (int i = 0; i < 6; ++i) Caption(info, titles[i], 8, ys[i], 120)->setFont(bold);
    const auto value = [&](const char* name, int y) {
        QLabel* label = Make<QLabel>(info, name, 134, y, 80, 16);
        label->setText(QStringLiteral("* * *"));
        return label;
    };
    rx_label = value("rx_label", 40);
    tx_label = value("tx_label", 64);
    error_label = value("error_label", 88);
    freq_label = value("freq_label", 112);
    statusLabels_[0] = value("status_label1", 150);
    statusLabels_[1] = value("status_label2", 170);
    statusLabels_[2] = value("status_label3", 190);
    firm_label = value("firm_label", 240);
    ConnectButton =
        Button(p, "ConnectButton", "Połącz", "Połącz / Rozłącz się z urządzeniem", 8, 312, 217, 44);
    ConnectButton->setEnabled(false);
    connect(ConnectButton, &QPushButton::clicked, this, [this] { ConnectButtonClick(); });
    scDeviceBox = Make<TscDeviceBox>(p, "scDeviceBox", 8, 364, 177, 23);
    scDeviceBox->SetScComm(&link_->com);
    RefreshButton = Button(p, "RefreshButton", "", "Odśwież aktywnie porty COM", 191, 362, 34, 27);
    RefreshButton->setIcon(ButtonGlyph(QStringLiteral("refresh")));
    connect(RefreshButton, &QPushButton::clicked, this, [this] { RefreshPortList(); });
}

void TFMain::BuildViewPanel() {
    QFrame* p = optionPanels_[3];
    const char* const names[4] = {"ShowAdc1", "ShowAdc2", "ShowMath1", "ShowMath2"};
    const char* const positionNames[4] = {"Position1", "Position2", "Position3", "Position4"};
    const int ys[4] = {2, 38, 76, 114};
    for (int i = 0; i < 4; ++i) {
        // The caption takes two lines: a label beside the box, which a click toggles too.
        showOptions_[i] = Check(p, names[i], "", 8, ys[i] + 8, 18);
        showCaptions_[i] = Caption(p, "Pokaż na panelu okno i wykresie", 28, ys[i], 158, 34);
        showCaptions_[i]->setWordWrap(true);
        QCheckBox* box = showOptions_[i];
        showCaptions_[i]->installEventFilter(
            new ClickFilter([box] { box->toggle(); }, showCaptions_[i]));
        connect(showOptions_[i], &QCheckBox::toggled, this, [this, i] { ShowClick(i); });
        positions_[i] = List(p, positionNames[i], Digits(1, 4), 190, ys[i] + 6, 40);
        connect(positions_[i], &QComboBox::currentIndexChanged, this,
                [this, i] { PositionChange(i); });
    }
    ShowBaner = Check(p, "ShowBaner", "Pokaż baner", 8, 157);
    connect(ShowBaner, &QCheckBox::toggled, this, [this] { ShowBanerClick(); });
    ShowHint = Check(p, "ShowHint", "Pokaż podpowiedzi", 8, 177);
    connect(ShowHint, &QCheckBox::toggled, this, [this] { ShowHintClick(); });
    Caption(p, "Położenie kropki dziesiętnej (wyświetlanie, zapis do pliku) ", 8, 198, 170, 30)
        ->setWordWrap(true);
    DecimalPoint1ComboBox = List(p, "DecimalPoint1ComboBox", Digits(0, 5), 190, 202, 40);
    DecimalPoint1ComboBox->setCurrentIndex(3);
    connect(DecimalPoint1ComboBox, &QComboBox::currentIndexChanged, this,
            [this] { RecordingOptionsChange(); });
    Caption(p, "Położenie kropki dziesiętnej (konfiguracja parametrów) ", 8, 234, 170, 30)
        ->setWordWrap(true);
    DecimalPoint2ComboBox = List(p, "DecimalPoint2ComboBox", Digits(0, 5), 190, 238, 40);
    DecimalPoint2ComboBox->setCurrentIndex(3);
    Caption(p, "Wykres X:", 8, 276, 60);
    ChartTime = Make<QTimeEdit>(p, "ChartTime", 70, 272, 80, 21);
    ChartTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    ChartTime->setTime(QTime(0, 0, 0));
    connect(ChartTime, &QTimeEdit::timeChanged, this, [this] { ChartTimeChange(); });
    Caption(p, "gg:mm:ss", 156, 276, 60);
    Caption(p, "Wykres Y:", 8, 302, 60);
    Caption(p, "min", 70, 302, 20);
    chmin = Make<QLineEdit>(p, "chmin", 92, 298, 46, 21);
    Caption(p, "max", 142, 302, 22);
    chmax = Make<QLineEdit>(p, "chmax", 166, 298, 46, 21);
    for (QLineEdit* edit : {chmin, chmax}) {
        edit->setMaxLength(5);
        edit->setText(QStringLiteral("00000"));
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { calib3Change(edit); });
        edit->installEventFilter(new ClickFilter([this, edit] { calib3Change(edit); }, edit));
    }
    QPushButton* apply =
        Button(p, "SpeedButton3", "OK", "Wprowadza zmiany na wykresie", 214, 297, 20, 23);
    connect(apply, &QPushButton::clicked, this, [this] { ApplyChartSettings(); });
    QPushButton* factory = Button(p, "SpeedButton1", "Przywróć ustawienia fabryczne",
                                  "Przywraca domyślną konfigurację urządzenia", 8, 330, 217, 32);
    connect(factory, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    QPushButton* measure =
        Button(p, "SpeedButton2", "Pobierz pomiar (F transmsji = 0)",
               "Pobierz pojedyńczy komplet pomiarów z urządzenia", 8, 364, 216, 32);
    connect(measure, &QPushButton::clicked, this, [this] { link_->commands.SpeedButton2Click(); });
}

void TFMain::BuildMorePanel() {
    QFrame* p = optionPanels_[4];
    MoreItem = List(p, "MoreItem",
                    {Text("Modyfikacja oprogramowania:"), Text("      - Grafika:"),
                     Text("      - Funkcje i zasada działania:"), Text("      - Personalizacja:"),
                     Text("      - Program dedykowany:")},
                    8, 11, 217);
    connect(MoreItem, &QComboBox::currentIndexChanged, this, [this] { MoreItemChange(); });
    MoreMemo = Make<QPlainTextEdit>(p, "MoreMemo", 8, 39, 217, 237);
    MoreMemo->setReadOnly(true);
    MoreMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MoreMemo->setStyleSheet(QStringLiteral("background-color: palette(button);"));
    MoreImage = Make<QLabel>(p, "MoreImage", 8, 282, 217, 105);
}

QString TFMain::ShowCaption(int channel) const {
    return showCaptions_[channel]->text();
}

// ---- Handlers --------------------------------------------------------------------------

void TFMain::OptionsButtonClick() {
    const bool open = OptionsButton->isChecked();
    const bool banner = ShowBaner->isChecked();
    setFixedSize(open ? kWideClient : kNarrowClient, banner ? kTallClient : kShortClient);
    Baner->resize(open ? 646 : 393, Baner->height());
    LabelBaner->move(open ? 219 : 115, LabelBaner->y());
    if (banner) {
        ImgBaner1->setVisible(open);
        ImgBaner2->setVisible(!open);
    }
    OptionsButton->setText(Text(open ? "Opcje <<" : "Opcje >>"));
    StatusBar->setGeometry(0, height() - 19, width(), 19);
    update();
}

void TFMain::ShowBanerClick() {
    const bool banner = ShowBaner->isChecked();
    const bool open = OptionsButton->isChecked();
    const int drop = banner ? 0 : kBannerDrop;
    ImgBaner1->setVisible(banner && open);
    ImgBaner2->setVisible(banner && !open);
    for (QLabel* line : bannerLines_) line->setVisible(banner);
    setFixedSize(width(), banner ? kTallClient : kShortClient);
    for (QWidget* w : {static_cast<QWidget*>(DisplayPanel), static_cast<QWidget*>(ChartPanel)}) {
        w->move(w->x(), 88 - drop);
    }
    for (QFrame* panel : optionPanels_) panel->move(panel->x(), 88 - drop);
    for (QAbstractButton* b : buttonRow_) b->move(b->x(), 498 - drop);
    Baner->move(Baner->x(), 552 - drop);
    LabelBaner->move(LabelBaner->x(), 552 - drop);
    StatusBar->setGeometry(0, height() - 19, width(), 19);
    update();
}

void TFMain::DisplayButtonClick() {
    DisplayPanel->show();
    ChartPanel->hide();
}

void TFMain::ChartButtonClick() {
    ChartPanel->show();
    DisplayPanel->hide();
}

void TFMain::ShowOptionsPanel(QWidget* panel) {
    for (QFrame* p : optionPanels_) p->setVisible(p == panel);
}

void TFMain::ShowSubPanel(QWidget* panel) {
    for (QFrame* p : subPanels_) p->setVisible(p == panel);
}

void TFMain::ShowHintClick() {
    Hints().on = ShowHint->isChecked();
}

void TFMain::HelpButtonClick() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath("help.pdf")));
}

void TFMain::LabelBanerClick() {
    const auto answer = QMessageBox::question(nullptr, Text("Strona WWW producenta"),
                                              Text("Czy chcesz przejść do strony internetowej "
                                                   "producenta?"),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProducerWebAddress)));
    }
}

void TFMain::MoreItemChange() {
    MoreMemo->setPlainText(MoreText(std::max(0, MoreItem->currentIndex())));
    MoreImage->clear();
}

void TFMain::ReadButtonClick(const ParamField& field) {
    const FieldOutcome outcome = link_->commands.ReadButtonClick(field);
    if (const auto edit = paramEdits_.find(field.code); edit != paramEdits_.end()) {
        PaintFieldOutcome(edit->second, outcome);
    }
}

void TFMain::WriteButtonClick(const ParamField& field) {
    if (field.kind == FieldKind::List) {
        link_->commands.WriteListButtonClick(field, paramLists_[field.code]->currentIndex());
        return;
    }
    QLineEdit* edit = paramEdits_[field.code];
    PaintFieldOutcome(edit, link_->commands.WriteButtonClick(field, edit->text().toStdString()));
}

void TFMain::PaintFieldOutcome(QLineEdit* edit, const FieldOutcome& outcome) {
    if (outcome.text) {
        edit->setText(QString::fromStdString(*outcome.text));
        calib3Change(edit);
    }
    if (!outcome.mark) return;
    switch (*outcome.mark) {
        case FieldMark::Window:
            SetFieldColour(edit, std::nullopt);
            break;
        case FieldMark::NotANumber:
            SetFieldColour(edit, ToQColor(kNotANumberColour));
            break;
        case FieldMark::Clamped:
            SetFieldColour(edit, ToQColor(kClampedColour));
            break;
    }
}

void TFMain::calib3Change(QLineEdit* edit) {
    SetFieldColour(edit, std::nullopt);
}

void TFMain::SpeedButton1Click() {
    class Question final : public Confirmation {
      public:
        bool AskYesNo(const std::string& text, const std::string& title) override {
            return QMessageBox::question(nullptr, QString::fromStdString(title),
                                         QString::fromStdString(text),
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        }
    } question;
    link_->commands.SpeedButton1Click(question);
}

void TFMain::ConnectButtonClick() {
    link_->connection.ConnectButtonClick(scDeviceBox->currentText().toStdString());
    PaintConnection();
}

void TFMain::RefreshPortList() {
    link_->connection.RefreshPortList();
    PaintConnection();
}

void TFMain::PaintConnection() {
    const ConnectionView& view = link_->connection.View();
    statusPanels_[0]->setText(QString::fromStdString(view.statusPanel));
    statusLabels_[0]->setText(QString::fromStdString(view.statusLabel1));
    statusLabels_[1]->setText(QString::fromStdString(view.statusLabel2));
    statusLabels_[2]->setText(QString::fromStdString(view.statusLabel3));
    ConnectButton->setText(QString::fromStdString(view.connectCaption));
    ConnectButton->setEnabled(view.connectEnabled);
    scDeviceBox->setEnabled(view.deviceBoxEnabled);
    RefreshButton->setEnabled(view.refreshEnabled);
}

void TFMain::DataFreqTimerTimer() {
    try {
        const StatisticsView texts =
            link_->connection.DataFreqTimerTimer(DataFreqTimer->Interval());
        statusPanels_[1]->setText(QString::fromStdString(texts.rate));
        tx_label->setText(QString::fromStdString(texts.tx));
        rx_label->setText(QString::fromStdString(texts.rx));
        error_label->setText(QString::fromStdString(texts.errors));
        freq_label->setText(QString::fromStdString(texts.rate));
        link_->recorder.FlushTick();
    } catch (...) {
        // The statistics tick never stops the program.
    }
}

void TFMain::DataShowTimerTimer() {
    ShowData();
}

void TFMain::ShowData() {
    const double t = LocalSeconds(clock_.Now());
    if (!link_->state.Connected ||
        (!DisplayPanel->isVisibleTo(this) && !ChartPanel->isVisibleTo(this))) {
        return;
    }
    std::array<std::string, 4> units;
    for (int i = 0; i < 4; ++i) units[i] = unitFields_[i]->text().toStdString();
    const auto texts = readouts_.Texts(link_->measurements, DecimalPoint1ComboBox->currentIndex(),
                                       units, regional_);
    for (int i = 0; i < 4; ++i) readouts_fields_[i]->setText(QString::fromStdString(texts[i]));
    Chart1->UpdateTrend(t, link_->measurements, ChartWindowSeconds());
}

double TFMain::ChartWindowSeconds() const {
    const QTime time = ChartTime->time();
    return time.hour() * 3600.0 + time.minute() * 60.0 + time.second();
}

void TFMain::ChartTimeChange() {
    const int seconds = static_cast<int>(ChartWindowSeconds());
    const int clamped = std::clamp(seconds, 1, 86399);
    if (clamped != seconds) ChartTime->setTime(QTime(0, 0, 0).addSecs(clamped));
}

void TFMain::ApplyChartSettings() {
    const auto result =
        Chart1->ApplyChartSettings(LocalSeconds(clock_.Now()), chmin->text().toStdString(),
                                   chmax->text().toStdString(), ChartWindowSeconds());
    const QColor red = ToQColor(kNotANumberColour);
    if (result == TrendChart::ApplyResult::MinNotANumber) SetFieldColour(chmin, red);
    if (result == TrendChart::ApplyResult::MaxNotANumber) SetFieldColour(chmax, red);
}

void TFMain::ShowClick(int channel) {
    const bool shown = showOptions_[channel]->isChecked();
    readouts_fields_[channel]->setVisible(shown);
    readoutCaptions_[channel]->setVisible(shown);
    Chart1->SetSeriesActive(channel, shown);
}

void TFMain::PositionChange(int channel) {
    const int top = 24 + 97 * std::max(0, positions_[channel]->currentIndex());
    readouts_fields_[channel]->move(12, top);
    readoutCaptions_[channel]->move(12, top - 18);
}

void TFMain::NameChange(int channel) {
    const ChannelCaptions captions =
        CaptionsFor(ChannelBaseName(channel), nameFields_[channel]->text());
    readoutCaptions_[channel]->setText(captions.readout);
    showCaptions_[channel]->setText(captions.show);
    saveColumns_[3 + channel]->setText(captions.record);
    Chart1->SetSeriesTitle(channel, captions.series);
}

// ---- Recording --------------------------------------------------------------------------

void TFMain::RecordingOptionsChange() {
    RecorderOptions& o = link_->recorder.Options();
    bool* columns[7] = {&o.saveDate, &o.saveTime,  &o.saveCnt,  &o.saveAdc1,
                        &o.saveAdc2, &o.saveMath1, &o.saveMath2};
    for (int i = 0; i < 7; ++i) *columns[i] = saveColumns_[i]->isChecked();
    o.cutFile = cut_file->isChecked();
    o.clearCnt = clear_cnt->isChecked();
    o.decimals = DecimalPoint1ComboBox->currentIndex();
}

void TFMain::save_buttonClick() {
    PaintRecording(link_->recorder.save_buttonClick());
}

void TFMain::PaintRecording(const RecorderCaptions& captions) {
    save_button->setText(Text(captions.saveButton));
    file_name_button->setEnabled(captions.fileButtonEnabled);
    statusPanels_[2]->setText(Text(captions.status));
}

void TFMain::file_name_buttonClick() {
    const QString name = QFileDialog::getSaveFileName(
        this, Text("Plik pomiarowy"), file_name_edit->text(),
        Text("Plik z danymi oddzielonymi średnikami (*.csv);;Plik tekstowy (*.txt)"));
    if (!name.isEmpty()) file_name_edit->setText(name);
}

void TFMain::file_name_editChange() {
    link_->recorder.file_name_editChange(file_name_edit->text().toStdString());
}

void TFMain::cut_fileClick() {
    file_cnt->setEnabled(cut_file->isChecked());
    clear_cnt->setEnabled(cut_file->isChecked());
}

void TFMain::file_cntChange() {
    link_->recorder.file_cntChange(file_cnt->currentIndex());
}

// ---- The module's answers -------------------------------------------------------------------

int TFMain::ParamDecimals() const {
    return DecimalPoint2ComboBox->currentIndex();
}

void TFMain::ShowParamText(ParamCode code, const std::string& text) {
    if (const auto edit = paramEdits_.find(code); edit != paramEdits_.end()) {
        edit->second->setText(QString::fromStdString(text));
        SetFieldColour(edit->second, std::nullopt);
    }
}

void TFMain::SelectParamItem(ParamCode code, uint32_t index) {
    if (const auto list = paramLists_.find(code); list != paramLists_.end()) {
        list->second->setCurrentIndex(
            index < static_cast<uint32_t>(list->second->count()) ? static_cast<int>(index) : -1);
    }
}

void TFMain::ShowFirmware(const std::string& text) {
    firm_label->setText(QString::fromStdString(text));
}

}  // namespace quorvel
