// "config.ini": the first start, malformed values, a round trip, a file that cannot be
// written, and the real program ended by SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>

#include "app/main_window.h"

namespace quorvel {
namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class SettingsTest : public ::testing::Test {
  protected:
    QString Config() const { return dir.filePath("config.ini"); }
    std::unique_ptr<TFMain> Open(const QString& path) {
        return std::make_unique<TFMain>(RegionalSettings::Polish(), path.toStdString(),
                                        [this](const QString& text) { errors << text; });
    }
    template <typename T>
    static T* Find(TFMain& w, const char* name) {
        T* widget = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir dir;
    QStringList errors;
};

const char kDefaults[] =
    "[Options]\r\nCh1Unit=\r\nCh2Unit=\r\nFx1Unit=\r\nFx2Unit=\r\nCh1Name=\r\nCh2Name=\r\n"
    "Fx1Name=\r\nFx2Name=\r\nCh1Show=1\r\nCh2Show=1\r\nFx1Show=1\r\nFx2Show=1\r\nDecPoint1=2\r\n"
    "DecPoint2=2\r\nScreenTop=10\r\nScreenLeft=10\r\nStartWidth=0\r\nSaveStart=0\r\n"
    "SaveDate=1\r\nSaveTime=1\r\nSaveCnt=1\r\nSaveCh1=1\r\nSaveCh2=1\r\nSaveFx1=1\r\nSaveFx2=1\r\n"
    "FileName=pomiary.csv\r\nCutFile=0\r\nClearCnt=0\r\nCutCnt=3\r\nPosition1=0\r\nPosition2=1\r\n"
    "Position3=2\r\nPosition4=3\r\nShowBaner=1\r\nShowHint=1\r\nChartYmin=-100\r\n"
    "ChartYmax=1000\r\nChartTime=10\r\n";

TEST_F(SettingsTest, FirstStartWritesTheDefaults) {
    auto window = Open(Config());
    EXPECT_EQ(Read(Config()), QByteArray(kDefaults));
    EXPECT_EQ(window->size(), QSize(410, 600));
    EXPECT_EQ(window->pos(), QPoint(10, 10));
    EXPECT_EQ(Find<QComboBox>(*window, "file_cnt")->currentText(), QStringLiteral("10000"));
    EXPECT_EQ(Find<QLineEdit>(*window, "chmin")->text(), QStringLiteral("-1,00"));
    EXPECT_EQ(Find<QLineEdit>(*window, "chmax")->text(), QStringLiteral("10,00"));
    EXPECT_EQ(Find<QTimeEdit>(*window, "ChartTime")->time(), QTime(0, 0, 10));
    EXPECT_EQ(Find<QWidget>(*window, "MathMeasure2")->y(), 24 + 97 * 3);
    EXPECT_FALSE(window->Link().recorder.RecordingActive());
    window.reset();
    EXPECT_EQ(Read(Config()), QByteArray(kDefaults));  // saved unchanged, in place
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SettingsTest, MalformedValues) {
    Write(Config(),
          "[options]\r\nCH1UNIT=  bar  \r\nCh1Name=\"quoted name\"\r\nCh2Show=-1\r\nFx1Show=2\r\n"
          "Fx2Show=yes\r\nSaveStart=yes\r\nCutFile=2\r\nStartWidth=\r\nCutCnt=0x3\r\n"
          "Position1=7\r\nDecPoint1=\r\nChartTime=90000\r\n[Other]\r\nKeep=this\r\n");
    auto window = Open(Config());
    EXPECT_EQ(Find<QLineEdit>(*window, "unit1")->text(), QStringLiteral("bar"));
    EXPECT_EQ(Find<QLineEdit>(*window, "name1")->text(), QStringLiteral("quoted name"));
    EXPECT_TRUE(Find<QCheckBox>(*window, "ShowAdc2")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*window, "ShowMath1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*window, "ShowMath2")->isChecked());   // default
    EXPECT_FALSE(Find<QCheckBox>(*window, "save_auto")->isChecked());  // default
    EXPECT_TRUE(Find<QCheckBox>(*window, "cut_file")->isChecked());
    EXPECT_TRUE(Find<QComboBox>(*window, "file_cnt")->isEnabled());
    EXPECT_EQ(window->width(), 410);
    EXPECT_EQ(Find<QComboBox>(*window, "file_cnt")->currentIndex(), 3);
    EXPECT_EQ(Find<QComboBox>(*window, "Position1")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>(*window, "DecimalPoint1ComboBox")->currentIndex(), 2);
    EXPECT_EQ(Find<QTimeEdit>(*window, "ChartTime")->time(), QTime(0, 0, 10));
    // Missing limits show as 0; texts typed now are stored in hundredths, truncated.
    EXPECT_EQ(Find<QLineEdit>(*window, "chmin")->text(), QStringLiteral("0,00"));
    Find<QLineEdit>(*window, "chmin")->setText(QStringLiteral("-0,5"));
    Find<QLineEdit>(*window, "chmax")->setText(QStringLiteral("12,345"));
    window.reset();
    const QByteArray saved = Read(Config());
    EXPECT_TRUE(saved.contains("Position1=-1\r\n"));
    EXPECT_TRUE(saved.contains("ChartYmin=-50\r\n"));
    EXPECT_TRUE(saved.contains("ChartYmax=1234\r\n"));
    EXPECT_TRUE(saved.startsWith("[options]\r\nCh1Unit=bar\r\n"));  // replaced on its own line
    EXPECT_TRUE(saved.endsWith("[Other]\r\nKeep=this\r\n"));
    EXPECT_EQ(saved.count("ShowHint="), 1);

    window = Open(Config());
    Find<QLineEdit>(*window, "chmax")->setText(QStringLiteral("abc"));
    window.reset();
    EXPECT_TRUE(Read(Config()).contains("ChartYmin=-1\r\nChartYmax=1\r\n"));
    window = Open(Config());
    EXPECT_EQ(Find<QLineEdit>(*window, "chmin")->text(), QStringLiteral("-0,01"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SettingsTest, RoundTripKeepsEveryOption) {
    auto window = Open(Config());
    Find<QLineEdit>(*window, "unit2")->setText(QStringLiteral("bar"));
    Find<QLineEdit>(*window, "namem1")->setText(QStringLiteral("Ciśnienie"));
    Find<QCheckBox>(*window, "ShowAdc1")->setChecked(false);
    Find<QComboBox>(*window, "DecimalPoint2ComboBox")->setCurrentIndex(4);
    Find<QPushButton>(*window, "OptionsButton")->click();
    Find<QCheckBox>(*window, "save_time")->setChecked(false);
    Find<QCheckBox>(*window, "clear_cnt")->setChecked(true);
    Find<QComboBox>(*window, "file_cnt")->setCurrentIndex(0);
    Find<QComboBox>(*window, "Position4")->setCurrentIndex(0);
    Find<QCheckBox>(*window, "ShowBaner")->setChecked(false);
    Find<QTimeEdit>(*window, "ChartTime")->setTime(QTime(1, 2, 3));
    Find<QLineEdit>(*window, "chmax")->setText(QStringLiteral("25,5"));
    window->move(40, 50);
    window.reset();
    window = Open(Config());
    EXPECT_EQ(Find<QLineEdit>(*window, "unit2")->text(), QStringLiteral("bar"));
    EXPECT_EQ(Find<QLineEdit>(*window, "namem1")->text(), QStringLiteral("Ciśnienie"));
    EXPECT_FALSE(Find<QCheckBox>(*window, "ShowAdc1")->isChecked());
    EXPECT_EQ(Find<QComboBox>(*window, "DecimalPoint2ComboBox")->currentIndex(), 4);
    EXPECT_EQ(window->size(), QSize(664, 520));
    EXPECT_FALSE(Find<QCheckBox>(*window, "save_time")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*window, "clear_cnt")->isChecked());
    EXPECT_EQ(Find<QComboBox>(*window, "file_cnt")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>(*window, "Position4")->currentIndex(), 0);
    EXPECT_EQ(Find<QTimeEdit>(*window, "ChartTime")->time(), QTime(1, 2, 3));
    EXPECT_EQ(Find<QLineEdit>(*window, "chmax")->text(), QStringLiteral("25,50"));
    EXPECT_EQ(window->pos(), QPoint(40, 50));
}

TEST_F(SettingsTest, FileThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    const QString path = dir.filePath("missing-folder/config.ini");
    auto window = Open(path);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Unable to write to %1.").arg(path));
    // The rest of the start-up was skipped: the initial values stay.
    EXPECT_EQ(Find<QComboBox>(*window, "DecimalPoint1ComboBox")->currentIndex(), 3);
    window.reset();
    EXPECT_EQ(errors.size(), 2);  // and again at exit
}

// The real program, from another working folder: the settings lie beside the executable,
// SIGTERM ends it through the exit sequence.
TEST_F(SettingsTest, SigtermRunsTheExitSequence) {
    const QString program = dir.filePath("quorvel-analog");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVEL_ANALOG_PATH), program));
    Write(Config(), "[Options]\r\nCh1Name=Temperatura\r\n");
    QTemporaryDir elsewhere;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (chdir(elsewhere.path().toLocal8Bit().constData()) != 0) _exit(126);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(program.toLocal8Bit().constData(), "quorvel-analog", static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(2500 * 1000);  // past the splash window's hand-over
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const QByteArray saved = Read(Config());
    EXPECT_TRUE(saved.startsWith("[Options]\r\nCh1Name=Temperatura\r\n"));
    // Missing keys are appended in the saving order; missing limits were read as 0.
    EXPECT_TRUE(saved.endsWith("ChartTime=10\r\nChartYmin=0\r\nChartYmax=0\r\n"))
        << saved.constData();
    EXPECT_EQ(saved.count("="), 38);
    EXPECT_FALSE(QFile::exists(QDir(elsewhere.path()).filePath("config.ini")));
}

}  // namespace
}  // namespace quorvel
