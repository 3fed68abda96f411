// The main window on Qt's offscreen platform.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimeEdit>

#include "app/device_box.h"
#include "app/intro_window.h"
#include "view/trend_chart.h"

namespace quorvel {
namespace {

template <typename Condition>
bool Wait(Condition condition, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());  // recordings of a bare file name go here
        window = std::make_unique<TFMain>(RegionalSettings::Polish(),
                                          dir.filePath("config.ini").toStdString(),
                                          [this](const QString& text) { errors << text; });
        window->show();
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(previous);
    }
    template <typename T>
    T* Find(const char* name) {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString Status(int panel) {
        return window->findChild<QStatusBar*>()->findChildren<QLabel*>()[panel]->text();
    }
    void ConnectToDemo() {
        auto* box = Find<TscDeviceBox>("scDeviceBox");
        box->setCurrentIndex(box->count() - 1);
        emit box->activated(box->count() - 1);
        Find<QPushButton>("ConnectButton")->click();
    }

    QTemporaryDir dir;
    QString previous;
    QStringList errors;
    std::unique_ptr<TFMain> window;
};

TEST_F(MainWindowTest, LayoutsFollowTheOptionsAndBannerSwitches) {
    EXPECT_EQ(window->size(), QSize(410, 600));  // narrow, with the banner
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel Analog PC  [1.0]"));
    auto* options = Find<QPushButton>("OptionsButton");
    EXPECT_EQ(options->text(), QStringLiteral("Opcje >>"));
    EXPECT_TRUE(Find<QWidget>("ImgBaner2")->isVisible());
    EXPECT_FALSE(Find<QWidget>("ImgBaner1")->isVisible());

    options->click();
    EXPECT_EQ(window->size(), QSize(664, 600));
    EXPECT_EQ(options->text(), QStringLiteral("Opcje <<"));
    EXPECT_TRUE(Find<QWidget>("ImgBaner1")->isVisible());
    EXPECT_TRUE(Find<QWidget>("OptionsConnectionPanel")->isVisible());
    EXPECT_EQ(Find<QWidget>("Baner")->width(), 646);
    EXPECT_EQ(Find<QWidget>("LabelBaner")->x(), 219);

    Find<QCheckBox>("ShowBaner")->click();  // banner off in the wide layout
    EXPECT_EQ(window->size(), QSize(664, 520));
    EXPECT_FALSE(Find<QWidget>("ImgBaner1")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Label41")->isVisible());
    EXPECT_EQ(Find<QWidget>("DisplayPanel")->y(), 8);
    EXPECT_EQ(Find<QWidget>("OptionsViewPanel")->y(), 8);
    EXPECT_EQ(options->y(), 418);
    EXPECT_EQ(Find<QWidget>("Baner")->y(), 472);
    Find<QCheckBox>("ShowBaner")->click();
    EXPECT_EQ(window->height(), 600);
    EXPECT_TRUE(Find<QWidget>("ImgBaner1")->isVisible());
    EXPECT_EQ(options->y(), 498);
    options->click();
    EXPECT_EQ(window->width(), 410);
    EXPECT_TRUE(Find<QWidget>("ImgBaner2")->isVisible());
    EXPECT_EQ(Find<QWidget>("LabelBaner")->x(), 115);
}

TEST_F(MainWindowTest, PanelGroupsShowOneMemberEach) {
    Find<QPushButton>("OptionsButton")->click();
    const char* const panels[] = {"OptionsAdcMathPanel", "OptionsSavePanel",
                                  "OptionsConnectionPanel", "OptionsViewPanel", "OptionsMorePanel"};
    const char* const buttons[] = {"OptionsAdcMathButton", "OptionsSaveButton",
                                   "OptionsConnectionButton", "OptionsViewButton",
                                   "OptionsMoreButton"};
    for (int b = 0; b < 5; ++b) {
        Find<QPushButton>(buttons[b])->click();
        Find<QPushButton>(buttons[b])->click();  // already down: nothing changes
        for (int p = 0; p < 5; ++p) EXPECT_EQ(Find<QWidget>(panels[p])->isVisible(), p == b);
    }
    Find<QPushButton>("OptionsAdcMathButton")->click();
    const char* const subs[] = {"PanelAdc1", "PanelAdc2", "PanelMath1", "PanelMath2"};
    const char* const subButtons[] = {"SpeedButton25", "SpeedButton20", "SpeedButton26",
                                      "SpeedButton27"};
    for (int b = 0; b < 4; ++b) {
        Find<QPushButton>(subButtons[b])->click();
        for (int p = 0; p < 4; ++p) EXPECT_EQ(Find<QWidget>(subs[p])->isVisible(), p == b);
    }
    Find<QPushButton>("ChartButton")->click();
    EXPECT_TRUE(Find<QWidget>("ChartPanel")->isVisible());
    EXPECT_FALSE(Find<QWidget>("DisplayPanel")->isVisible());
    Find<QPushButton>("ChartButton")->click();
    EXPECT_TRUE(Find<QWidget>("ChartPanel")->isVisible());
    auto* more = Find<QComboBox>("MoreItem");
    more->setCurrentIndex(3);
    EXPECT_TRUE(Find<QWidget>("MoreMemo")
                    ->property("plainText")
                    .toString()
                    .startsWith(QStringLiteral("Personalizacja:\n")));
}

TEST_F(MainWindowTest, ChannelNamesInEveryCaption) {
    Find<QLineEdit>("name1")->setText(QStringLiteral("Temperatura zewnętrzna"));
    EXPECT_EQ(window->ShowCaption(0),
              QStringLiteral("Pokaż w programie wielkość: Wejście 1 [Temperatura ...a]"));
    EXPECT_EQ(Find<QCheckBox>("save_adc1")->text(),
              QStringLiteral("Zapisz wartość Wejście 1 [Tempera...a]"));
    EXPECT_EQ(window->Chart().SeriesTitle(0), QStringLiteral("Wejście 1 [Temperatur...a]"));
    EXPECT_EQ(window->Chart().SeriesTitle(3), QStringLiteral("Funkcja 2"));  // others untouched
}

TEST_F(MainWindowTest, ShowOptionsAndPositions) {
    Find<QComboBox>("Position3")->setCurrentIndex(2);
    EXPECT_EQ(Find<QWidget>("MathMeasure1")->y(), 24 + 97 * 2);
    Find<QCheckBox>("ShowMath2")->click();
    EXPECT_FALSE(Find<QWidget>("MathMeasure2")->isVisible());
    EXPECT_FALSE(window->Chart().SeriesActive(3));
    Find<QCheckBox>("ShowMath2")->click();
    EXPECT_TRUE(Find<QWidget>("MathMeasure2")->isVisible());
    EXPECT_TRUE(window->Chart().SeriesActive(3));
}

TEST_F(MainWindowTest, MissingPortStaysSilent) {
    window->Link().com.SetPortPath("/dev/quorvel-missing");
    Find<QPushButton>("ConnectButton")->click();
    EXPECT_EQ(Find<QPushButton>("ConnectButton")->text(), QStringLiteral("Połącz"));
    EXPECT_EQ(Status(0), QStringLiteral("Rozłączony"));
    EXPECT_TRUE(QApplication::topLevelWidgets().size() >= 1);
}

TEST_F(MainWindowTest, DemoModuleEndToEnd) {
    Find<QComboBox>("Position2")->setCurrentIndex(1);
    Find<QTimeEdit>("ChartTime")->setTime(QTime(0, 0, 10));
    ConnectToDemo();
    EXPECT_EQ(Status(0), QStringLiteral("Połączony   Symulator:115200:8:n:1"));
    EXPECT_EQ(Find<QPushButton>("ConnectButton")->text(), QStringLiteral("Rozłącz"));
    EXPECT_FALSE(Find<QWidget>("RefreshButton")->isEnabled());
    ASSERT_TRUE(Wait([&] { return Find<QLabel>("firm_label")->text() == "SIM1"; }));
    ASSERT_TRUE(Wait([&] { return Find<QLineEdit>("AdcMeasure2")->text().endsWith("[mA]"); }));
    EXPECT_TRUE(Find<QLineEdit>("AdcMeasure1")->text().endsWith(QStringLiteral(" [V]")));
    ASSERT_TRUE(Wait([&] { return window->Chart().Store().Size() > 3; }));

    // Writes from the parameter panels: a clamped integer, then text that is not a number.
    auto* freq = Find<QLineEdit>("freq");
    freq->setText(QStringLiteral("0"));
    Find<QPushButton>("SetFreqButton")->click();
    EXPECT_EQ(freq->text(), QStringLiteral("1"));
    EXPECT_EQ(freq->palette().color(QPalette::Base), QColor(192, 220, 192));
    freq->setText(QStringLiteral("12x"));
    Find<QPushButton>("SetFreqButton")->click();
    EXPECT_EQ(freq->palette().color(QPalette::Base), QColor(253, 124, 102));
    // A read clears the field; the module's answer fills it on the window colour.
    Find<QPushButton>("GetUartButton")->click();
    ASSERT_TRUE(Wait([&] { return Find<QLineEdit>("uart")->text() == "50"; }));
    Find<QPushButton>("GetMode2Button")->click();
    ASSERT_TRUE(Wait([&] { return Find<QComboBox>("mode2")->currentText() == "4~20mA"; }));

    // Recording to pomiary.csv in the working folder; disconnecting closes the file.
    Find<QPushButton>("save_button")->click();
    EXPECT_EQ(Status(2), QStringLiteral("Zapis: aktywny"));
    ASSERT_TRUE(Wait([&] { return !window->Link().recorder.OpenFileName().empty(); }));
    Find<QPushButton>("ConnectButton")->click();
    EXPECT_EQ(Status(0), QStringLiteral("Rozłączony"));
    EXPECT_TRUE(window->Link().recorder.OpenFileName().empty());
    EXPECT_TRUE(window->Link().recorder.RecordingActive());
    EXPECT_TRUE(QFile::exists(dir.filePath("pomiary.csv")));
}

TEST_F(MainWindowTest, ChartLimitsThatAreNotNumbers) {
    auto* chmin = Find<QLineEdit>("chmin");
    chmin->setText(QStringLiteral("abc"));
    Find<QPushButton>("SpeedButton3")->click();
    EXPECT_EQ(chmin->palette().color(QPalette::Base), QColor(253, 124, 102));
    chmin->setText(QStringLiteral("30"));
    emit chmin->textEdited(chmin->text());
    EXPECT_NE(chmin->palette().color(QPalette::Base), QColor(253, 124, 102));
    auto* time = Find<QTimeEdit>("ChartTime");
    time->setTime(QTime(0, 0, 5));
    time->setTime(QTime(0, 0, 0));  // a window of no time becomes one second at once
    EXPECT_EQ(time->time(), QTime(0, 0, 1));
    Find<QLineEdit>("chmax")->setText(QStringLiteral("-5"));
    Find<QPushButton>("SpeedButton3")->click();
    EXPECT_EQ(window->Chart().LeftMin(), -5);
    EXPECT_EQ(window->Chart().LeftMax(), 30);
}

// Closing the program while connected and recording: the file is closed with every line.
TEST_F(MainWindowTest, ClosingWhileRecordingKeepsEveryLine) {
    Find<QCheckBox>("save_time")->setChecked(false);
    Find<QPushButton>("save_button")->click();
    ConnectToDemo();
    ASSERT_TRUE(Wait([&] { return window->Link().recorder.MeasurementCounter() > 20; }));
    const uint32_t records = window->Link().recorder.MeasurementCounter();
    window.reset();
    QFile file(dir.filePath("pomiary.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_TRUE(lines.last().isEmpty());  // the last line is complete
    EXPECT_GE(static_cast<uint32_t>(lines.size() - 2), records);
    for (int i = 1; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].count(';'), 7);
}

TEST(IntroWindow, HandsOverAfterTwoHundredTicksOrAtEsc) {
    QWidget main;
    bool quit = false;
    {
        TFIntro intro(main, [&] { quit = true; });
        EXPECT_EQ(intro.findChild<QLabel*>("Label4")->text(), QStringLiteral("wersja: 1.0"));
        EXPECT_EQ(intro.size(), QSize(437, 209));
        ASSERT_TRUE(Wait([&] { return main.isVisible(); }, 10000));
        EXPECT_EQ(intro.TickCount(), 200);
        EXPECT_FALSE(intro.isVisible());
    }
    main.hide();
    {
        TFIntro intro(main, [&] { quit = true; });
        QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&intro, &other);
        EXPECT_FALSE(main.isVisible());
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&intro, &esc);
        EXPECT_TRUE(main.isVisible());
        EXPECT_LT(intro.TickCount(), 200);
    }
    main.hide();
    {
        TFIntro intro(main, [&] { quit = true; });
        intro.findChild<QPushButton*>("SpeedButton1")->click();
        EXPECT_TRUE(quit);
        EXPECT_FALSE(main.isVisible());
    }
}

}  // namespace
}  // namespace quorvel
